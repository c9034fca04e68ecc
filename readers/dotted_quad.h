#pragma once
// An address as the SQLite list readers show it, written without the
// temporary texts of the general conversions: they run for every cell.
#include <cstdint>
#include <string>

namespace tl {

// a.b.c.d with the most significant byte first, as text::ipNumberToDotted
// writes it.
inline std::string dottedQuad(uint32_t address) {
  char text[16];
  char* end = text;
  for (int shift = 24; shift >= 0; shift -= 8) {
    const unsigned octet = (address >> shift) & 255u;
    if (octet >= 100) *end++ = char('0' + octet / 100);
    if (octet >= 10) *end++ = char('0' + octet / 10 % 10);
    *end++ = char('0' + octet % 10);
    if (shift > 0) *end++ = '.';
  }
  return std::string(text, end);
}

// The same with the octets in the other order: d.c.b.a.
inline std::string reversedDottedQuad(uint32_t address) {
  return dottedQuad((address >> 24) | ((address >> 8) & 0xFF00u) | ((address << 8) & 0xFF0000u) | (address << 24));
}

}  // namespace tl
