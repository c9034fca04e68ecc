#include "cli/terminal_text.h"

#include <cstdint>
#include <cstring>

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

// The length of the leading run of printable ASCII (0x20..0x7E) within the
// first `limit` bytes: such bytes are their own UTF-8 and one column each.
// Eight bytes are judged at once: a byte below 0x20 or above 0x7E sets its
// high bit in the test word; the bytes of a flagged word are then judged one
// by one. Little-endian loads.
size_t printableAsciiPrefix(std::string_view gbk, size_t limit) {
  constexpr uint64_t ones = 0x0101010101010101ull, highs = 0x8080808080808080ull;
  size_t i = 0;
  for (; limit - i >= 8; i += 8) {
    uint64_t word;
    std::memcpy(&word, gbk.data() + i, 8);
    const uint64_t below = (word - ones * 0x20) & ~word;  // a byte < 0x20
    const uint64_t above = (word + ones * 0x01) | word;   // a byte >= 0x7F
    if ((below | above) & highs) break;
  }
  while (i < limit && static_cast<unsigned char>(gbk[i]) - 0x20u < 0x5Fu) ++i;
  return i;
}

}  // namespace

size_t appendTerminalText(std::string& out, std::string_view gbk, size_t maxWidth) {
  // Where the text is cut: the characters that fit beside the "…".
  const bool cut = gbk.size() > maxWidth;
  const size_t room = !cut ? gbk.size() : maxWidth == 0 ? 0 : maxWidth - 1;
  size_t end = printableAsciiPrefix(gbk, room);
  const bool plain = end == room;  // most cells: copied as they are
  if (plain) {
    out.append(gbk.data(), end);
  } else {
    if (cut) {
      end = 0;
      while (end < gbk.size() && end + charLength(gbk, end) <= room) end += charLength(gbk, end);
    } else {
      end = gbk.size();
    }
    // Runs between control bytes are converted whole: a cell without one is a
    // single conversion.
    size_t runStart = 0;
    for (size_t i = 0; i < end; i += charLength(gbk, i)) {
      auto byte = static_cast<unsigned char>(gbk[i]);
      if (!isControl(byte)) continue;
      out += platform::gbkToUtf8(gbk.substr(runStart, i - runStart));
      appendControlPicture(out, byte);
      runStart = i + 1;
    }
    out += platform::gbkToUtf8(gbk.substr(runStart, end - runStart));
  }
  if (cut) out += "\xE2\x80\xA6";  // …
  return end + (cut ? 1 : 0);
}

TerminalText terminalText(std::string_view gbk, size_t maxWidth) {
  TerminalText result{{}, 0};
  result.width = appendTerminalText(result.utf8, gbk, maxWidth);
  return result;
}

}  // namespace tl::cli
