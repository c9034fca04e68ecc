#include "data/json/gbk_carrier.h"

#include <cstdint>
#include <cstring>

#include "platform/text_codec.h"

namespace tl::json_text {
namespace {

// The GBK bytes held by a carrier at `pos` (1 or 2 of them in `bytes`), or 0
// when no carrier starts there. A plane-15 code point that no GBK input can
// produce is not a carrier.
int carrierAt(std::string_view s, size_t pos, unsigned char bytes[2]) {
  if (pos + 4 > s.size()) return 0;
  auto b0 = static_cast<unsigned char>(s[pos]);
  auto b1 = static_cast<unsigned char>(s[pos + 1]);
  auto b2 = static_cast<unsigned char>(s[pos + 2]);
  auto b3 = static_cast<unsigned char>(s[pos + 3]);
  if (b0 != 0xF3 || b1 < 0xB0 || b1 > 0xBF || (b2 & 0xC0) != 0x80 || (b3 & 0xC0) != 0x80) return 0;
  unsigned value = unsigned((b1 & 0x3F) - 0x30) << 12 | unsigned(b2 & 0x3F) << 6 | unsigned(b3 & 0x3F);
  if (value >= 0x80 && value <= 0xFF) {
    bytes[0] = static_cast<unsigned char>(value);
    return 1;
  }
  auto lead = static_cast<unsigned char>(value >> 8);
  auto trail = static_cast<unsigned char>(value & 0xFF);
  if (value > 0xFFFF || !isLeadByte(lead) || !isTrailByte(trail)) return 0;
  bytes[0] = lead;
  bytes[1] = trail;
  return 2;
}

}  // namespace

std::string gbkToCarrier(std::string_view gbk) {
  const char* end = gbk.data() + gbk.size();
  return std::string(CarrierIterator(gbk.data(), end), CarrierIterator(end, end));
}

std::string carrierToGbk(std::string_view utf8) {
  // Most texts are plain ASCII: look at eight bytes at a time for one that
  // is not.
  size_t i = 0;
  for (uint64_t word; i + 8 <= utf8.size(); i += 8) {
    std::memcpy(&word, utf8.data() + i, 8);
    if (word & 0x8080808080808080u) break;
  }
  while (i < utf8.size() && static_cast<unsigned char>(utf8[i]) < 0x80) ++i;
  if (i == utf8.size()) return std::string(utf8);
  std::string out;
  out.reserve(utf8.size());
  out.append(utf8.data(), i);
  size_t otherStart = std::string_view::npos;
  auto flushOther = [&](size_t end) {
    if (otherStart == std::string_view::npos) return;
    out += platform::utf8ToGbk(utf8.substr(otherStart, end - otherStart));
    otherStart = std::string_view::npos;
  };
  while (i < utf8.size()) {
    auto b = static_cast<unsigned char>(utf8[i]);
    unsigned char bytes[2];
    if (b < 0x80) {
      // ASCII stays, a run at a time.
      flushOther(i);
      size_t end = i + 1;
      while (end < utf8.size() && static_cast<unsigned char>(utf8[end]) < 0x80) ++end;
      out.append(utf8.data() + i, end - i);
      i = end;
    } else if (int n = carrierAt(utf8, i, bytes)) {
      flushOther(i);
      out.append(reinterpret_cast<const char*>(bytes), size_t(n));
      i += 4;
    } else {
      if (otherStart == std::string_view::npos) otherStart = i;
      ++i;
    }
  }
  flushOther(utf8.size());
  return out;
}

}  // namespace tl::json_text
