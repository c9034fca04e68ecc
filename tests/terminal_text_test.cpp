// Cells of the text table: control bytes become visible marks, wide cells are
// cut at a character boundary, and the width is what the terminal shows.
#include "cli/terminal_text.h"

#include <gtest/gtest.h>

namespace tl::cli {
namespace {

TEST(TerminalText, MarksControlBytesAndCutsWideCells) {
  struct Case {
    std::string gbk;
    size_t maxWidth;
    std::string utf8;
    size_t width;
  } cases[] = {
      {"PC01", 40, "PC01", 4},
      {"a\x1b[2Jb", 40, "a\xE2\x90\x9B[2Jb", 6},                         // ESC: ␛
      {"\t\r\n\x7f", 40, "\xE2\x90\x89\xE2\x90\x8D\xE2\x90\x8A\xE2\x90\xA1", 4},  // ␉ ␍ ␊ ␡
      {std::string("a\0b", 3), 40, "a\xE2\x90\x80" "b", 3},                 // NUL: ␀
      // A lead byte before a control byte is no character: the mark stays.
      {"\x81\x1b", 40, "\xEF\xBF\xBD\xE2\x90\x9B", 2},
      {"\xCD\xF8\xB0\xC9", 40, "\xE7\xBD\x91\xE5\x90\xA7", 4},  // 网吧: two columns each
      {"abcdef", 5, "abcd\xE2\x80\xA6", 5},
      {"abcde", 5, "abcde", 5},
      // A double-byte character that would stand across the cut goes whole.
      {"abc\xCD\xF8", 4, "abc\xE2\x80\xA6", 4},
      {"ab\xCD\xF8" "c", 4, "ab\xE2\x80\xA6", 3},
      // Printable ASCII is copied as it is; the edges of that short path.
      {"", 40, "", 0},
      {"abc", 0, "\xE2\x80\xA6", 1},
      {"abc\x7f", 4, "abc\xE2\x90\xA1", 4},
      {"abcd\x1b", 4, "abc\xE2\x80\xA6", 4},  // the control byte falls past the cut
      {"a~ \xCD\xF8", 40, "a~ \xE7\xBD\x91", 5},
  };
  for (const Case& c : cases) {
    TerminalText text = terminalText(c.gbk, c.maxWidth);
    EXPECT_EQ(text.utf8, c.utf8) << c.gbk;
    EXPECT_EQ(text.width, c.width) << c.gbk;
  }
}

// Long cells are judged eight bytes at a time: a control byte is found at
// every position of a word, and the printable edges (space, "~") pass.
TEST(TerminalText, FindsAControlByteAtEveryPositionOfALongCell) {
  const std::string plain = "PC-0123456789abcdefg";
  const struct {
    char byte;
    std::string shown;
  } bytes[] = {{'\0', "\xE2\x90\x80"}, {'\x1f', "\xE2\x90\x9F"}, {'\x7f', "\xE2\x90\xA1"}, {' ', " "}, {'~', "~"}};
  for (const auto& b : bytes)
    for (size_t at = 0; at < plain.size(); ++at) {
      std::string gbk = plain;
      gbk[at] = b.byte;
      TerminalText text = terminalText(gbk, 40);
      EXPECT_EQ(text.utf8, plain.substr(0, at) + b.shown + plain.substr(at + 1)) << int(b.byte) << " at " << at;
      EXPECT_EQ(text.width, plain.size());
    }
}

}  // namespace
}  // namespace tl::cli
