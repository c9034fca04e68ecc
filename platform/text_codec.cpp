#include "platform/text_codec.h"

#include <cstdint>
#include <cstring>

#include "data/text/gbk_text.h"
#include "platform/text_codec_system.h"

namespace tl::platform {
namespace {

// Plain ASCII (bytes below 0x80, NUL included) is the same bytes in GBK and
// in UTF-8, so most cells of a list need no converter at all. Eight bytes
// are checked at a time.
bool isAscii(std::string_view text) {
  const char* p = text.data();
  size_t left = text.size();
  for (; left >= 8; p += 8, left -= 8) {
    uint64_t word;
    std::memcpy(&word, p, 8);
    if (word & 0x8080808080808080u) return false;
  }
  for (; left > 0; ++p, --left)
    if (static_cast<unsigned char>(*p) >= 0x80) return false;
  return true;
}

}  // namespace

std::string utf8ToGbk(std::string_view utf8) {
  if (isAscii(utf8)) return std::string(utf8);
  return system_codec::utf8ToGbk(utf8);
}

bool gbkToUtf8Strict(std::string_view gbk, std::string& out) {
  if (isAscii(gbk)) {
    out.assign(gbk);
    return true;
  }
  return system_codec::gbkToUtf8Strict(gbk, out);
}

std::string gbkToUtf8(std::string_view gbk) {
  std::string out;
  if (gbkToUtf8Strict(gbk, out)) return out;
  // Slow path: decode character by character so only the bad bytes are lost.
  out.clear();
  std::string piece;
  for (size_t i = 0; i < gbk.size();) {
    size_t n = text::charLength(gbk, i);
    if (gbkToUtf8Strict(gbk.substr(i, n), piece)) {
      out += piece;
      i += n;
    } else {
      out += "\xEF\xBF\xBD";
      i += 1;  // the next byte may start a good character
    }
  }
  return out;
}

}  // namespace tl::platform
