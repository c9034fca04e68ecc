#include "data/text/addresses.h"


#include "data/text/gbk_text.h"

namespace tl::text {

std::string narrowFullWidth(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    size_t n = charLength(s, i);
    auto lead = static_cast<unsigned char>(s[i]);
    auto trail = n == 2 ? static_cast<unsigned char>(s[i + 1]) : 0;
    if (n == 2 && lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE)
      out.push_back(char(trail - 0x80));
    else if (n == 2 && lead == 0xA1 && trail == 0xA1)
      out.push_back(' ');
    else
      out.append(s.substr(i, n));
    i += n;
  }
  return out;
}

int32_t readLongWrapped(std::string_view raw) {
  // Only GBK text has full-width characters to narrow.
  std::string narrowed;
  std::string_view s = raw;
  for (char c : raw)
    if (static_cast<unsigned char>(c) >= 0x80) {
      s = narrowed = narrowFullWidth(raw);
      break;
    }
  size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || (s[i] >= '\t' && s[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  uint32_t value = 0;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) value = value * 10u + uint32_t(s[i] - '0');
  if (negative) value = 0u - value;
  return static_cast<int32_t>(value);
}

std::string ipNumberToDotted(std::string_view numberText) {
  return dottedQuad(static_cast<uint32_t>(readLongWrapped(numberText)));
}

std::string dottedToIpNumber(std::string_view dotted) {
  std::vector<std::string> pieces = split(dotted, '.');
  pieces.resize(4);
  uint64_t value = 0;
  for (const std::string& piece : pieces) {
    auto pattern = static_cast<uint32_t>(readLongWrapped(piece));
    int digits = 1;
    while (digits < 8 && (pattern >> (4 * digits)) != 0) ++digits;
    if (digits < 2) digits = 2;
    // Shifting digit by digit keeps the low 64 bits of an over-long join.
    for (int d = digits - 1; d >= 0; --d) value = (value << 4) | ((pattern >> (4 * d)) & 15u);
  }
  return std::to_string(value);
}

std::string groupMac(std::string_view mac) {
  // Every pair keeps its bytes (the last may be one byte) and pairs are
  // joined by "-": the length is known, so the text is made once and filled.
  if (mac.empty()) return {};
  std::string out(mac.size() + (mac.size() + 1) / 2 - 1, '-');
  size_t o = 0;
  for (size_t i = 0; i < mac.size(); i += 2) {
    if (i != 0) ++o;  // the "-" already there
    // Each pair folded on its own: a lead byte and the byte after it form
    // one character and stay as they are (upper-casing leaves a lead byte).
    const bool lead = static_cast<unsigned char>(mac[i]) >= 0x80;
    out[o++] = asciiUpper(mac[i]);
    if (i + 1 < mac.size()) out[o++] = lead ? mac[i + 1] : asciiUpper(mac[i + 1]);
  }
  return out;
}

std::string reverseOctets(std::string_view dotted) {
  std::vector<std::string> pieces = split(dotted, '.');
  std::string out;
  for (auto it = pieces.rbegin(); it != pieces.rend(); ++it) {
    if (it != pieces.rbegin()) out.push_back('.');
    out += *it;
  }
  return out;
}

}  // namespace tl::text
