#include "platform/text_codec.h"

#include <gtest/gtest.h>

namespace tl::platform {
namespace {

TEST(TextCodec, Utf8AndGbkRoundTrip) {
  const std::string utf8 = "\xE6\xB1\x80\xE6\xBE\x9C PC01";  // 汀澜 PC01 in UTF-8
  EXPECT_EQ(utf8ToGbk(utf8), "汀澜 PC01");
  EXPECT_EQ(gbkToUtf8("汀澜 PC01"), utf8);
  EXPECT_EQ(utf8ToGbk("plain ascii"), "plain ascii");
  EXPECT_EQ(utf8ToGbk(""), "");
}

TEST(TextCodec, CharactersGbkLacksBecomeQuestionMarks) {
  EXPECT_EQ(utf8ToGbk("a\xED\x95\x9C" "b"), "a?b");  // Hangul 한
  // One per UTF-16 unit, as the Windows converter gives it.
  EXPECT_EQ(utf8ToGbk("a\xF0\x9F\x98\x80" "b"), "a??b");  // an emoji
}

TEST(TextCodec, BadGbkBytesBecomeReplacementCharacters) {
  std::string out;
  EXPECT_FALSE(gbkToUtf8Strict("a\xFF" "b", out));
  EXPECT_EQ(gbkToUtf8("a\xFF" "b"), "a\xEF\xBF\xBD" "b");
  // A lead byte at the very end has no trail byte.
  EXPECT_EQ(gbkToUtf8("ok\xCD"), "ok\xEF\xBF\xBD");
}

// Plain ASCII is copied without the converter; one byte of 0x80 or more
// anywhere (inside or after the eight-byte steps of the check) sends the
// whole text through it.
TEST(TextCodec, AsciiAndMixedTextsConvertTheSame) {
  const char bytes[] = "PC\0\x01\t\x7F 10.0.0.1";
  const std::string ascii(bytes, sizeof bytes - 1);
  EXPECT_EQ(utf8ToGbk(ascii), ascii);
  EXPECT_EQ(gbkToUtf8(ascii), ascii);
  std::string out = "old";
  EXPECT_TRUE(gbkToUtf8Strict(ascii, out));
  EXPECT_EQ(out, ascii);
  EXPECT_TRUE(gbkToUtf8Strict("", out));
  EXPECT_EQ(out, "");

  for (size_t at : {0, 7, 8, 15, 16, 20}) {
    std::string gbk(21, 'a'), utf8(21, 'a');
    gbk.replace(at, 1, "汀");
    utf8.replace(at, 1, "\xE6\xB1\x80");
    EXPECT_EQ(gbkToUtf8(gbk), utf8) << at;
    EXPECT_EQ(utf8ToGbk(utf8), gbk) << at;
    std::string bad(21, 'a');
    bad[at] = '\xFF';
    std::string shown(21, 'a');
    shown.replace(at, 1, "\xEF\xBF\xBD");
    EXPECT_FALSE(gbkToUtf8Strict(bad, out)) << at;
    EXPECT_EQ(gbkToUtf8(bad), shown) << at;
  }
}

}  // namespace
}  // namespace tl::platform
