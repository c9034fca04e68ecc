#include "cli/terminal_text.h"

#include "platform/text_codec.h"

namespace tl::cli {
namespace {

bool isControl(unsigned char byte) { return byte < 0x20 || byte == 0x7F; }

// U+2400 + byte for the C0 bytes, U+2421 for DEL: three UTF-8 bytes each.
void appendControlPicture(std::string& out, unsigned char byte) {
  const unsigned code = byte == 0x7F ? 0x2421 : 0x2400 + byte;
  out += char(0xE0 | (code >> 12));
  out += char(0x80 | ((code >> 6) & 0x3F));
  out += char(0x80 | (code & 0x3F));
}

// A GBK character's length: two for a lead byte followed by a trail byte,
// else one (a lone high byte decodes as one U+FFFD). A control byte is never
// part of a pair, so no mark hides inside a broken character.
size_t charLength(std::string_view text, size_t i) {
  auto lead = static_cast<unsigned char>(text[i]);
  if (lead < 0x81 || lead == 0xFF || i + 1 >= text.size()) return 1;
  auto trail = static_cast<unsigned char>(text[i + 1]);
  return trail >= 0x40 && trail <= 0xFE && trail != 0x7F ? 2 : 1;
}

}  // namespace

TerminalText terminalText(std::string_view gbk, size_t maxWidth) {
  // Where the text is cut: the characters that fit beside the "…".
  size_t end = gbk.size();
  bool cut = gbk.size() > maxWidth;
  if (cut) {
    const size_t room = maxWidth == 0 ? 0 : maxWidth - 1;
    end = 0;
    while (end < gbk.size() && end + charLength(gbk, end) <= room) end += charLength(gbk, end);
  }
  TerminalText result{{}, end + (cut ? 1 : 0)};
  // Runs between control bytes are converted whole: a cell without one is a
  // single conversion.
  size_t runStart = 0;
  for (size_t i = 0; i < end; i += charLength(gbk, i)) {
    auto byte = static_cast<unsigned char>(gbk[i]);
    if (!isControl(byte)) continue;
    result.utf8 += platform::gbkToUtf8(gbk.substr(runStart, i - runStart));
    appendControlPicture(result.utf8, byte);
    runStart = i + 1;
  }
  result.utf8 += platform::gbkToUtf8(gbk.substr(runStart, end - runStart));
  if (cut) result.utf8 += "\xE2\x80\xA6";  // …
  return result;
}

}  // namespace tl::cli
