#pragma once
// Number and address texts as the client lists store them.
#include <cstdint>
#include <string>
#include <string_view>

namespace tl::text {

// Full-width (double-byte) ASCII characters replaced by their ASCII
// equivalents: GBK A3A1..A3FE are U+FF01..U+FF5E, A1A1 is the ideographic space.
std::string narrowFullWidth(std::string_view s);

// Reads an integer the way the C library's atol does, after narrowing
// full-width characters: leading white space, an optional sign, decimal
// digits up to the first other character. Accumulates in 32 bits with
// wrap-around; no digits give 0.
int32_t readLongWrapped(std::string_view s);

// a.b.c.d with the most significant byte first. Inline: the list readers
// write several addresses for every row.
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

// IP number text ("3232235521", also the signed "-1062731775") to dotted quad,
// most significant byte first. Every text gives some address.
std::string ipNumberToDotted(std::string_view numberText);

// Dotted quad to IP number text: each of the first four dot-separated pieces is
// read like readLongWrapped, written as upper-case hex of its 32-bit pattern
// (at least two digits), the four joined and read as one hex number. Missing
// pieces count as 0 and a joined value wider than 64 bits keeps its low 64 bits,
// so the result is always a decimal text.
std::string dottedToIpNumber(std::string_view dotted);

// Cuts the text into two-byte pieces from the left (the last one shorter when
// the length is odd), upper-cases ASCII letters and joins them with "-":
// 001122aabbcc gives 00-11-22-AA-BB-CC. It does not look at the content.
std::string groupMac(std::string_view mac);

// a.b.c.d becomes d.c.b.a; a text that is not four dot-separated pieces is
// returned as the pieces it has, reversed.
std::string reverseOctets(std::string_view dotted);

}  // namespace tl::text
