// The address and MAC conversions over arbitrary texts, with the properties
// the readers and the import rely on: an IP number always gives a dotted
// quad, a dotted quad always gives a decimal number, the two agree with each
// other, and MAC grouping keeps every byte of its input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "data/text/addresses.h"

namespace {

bool isDecimal(const std::string& s) {
  if (s.empty() || s.size() > 20) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

bool isDottedQuad(const std::string& s) {
  int pieces = 0;
  size_t start = 0;
  while (true) {
    size_t end = s.find('.', start);
    std::string piece = s.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!isDecimal(piece) || piece.size() > 3 || std::stoi(piece) > 255) return false;
    ++pieces;
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return pieces == 4;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  namespace t = tl::text;

  if (t::narrowFullWidth(text).size() > text.size()) std::abort();

  const std::string dotted = t::ipNumberToDotted(text);
  if (!isDottedQuad(dotted)) std::abort();
  // Back to the number: the 32-bit pattern the text was read as.
  const auto pattern = static_cast<uint32_t>(t::readLongWrapped(text));
  if (t::dottedToIpNumber(dotted) != std::to_string(pattern)) std::abort();

  const std::string number = t::dottedToIpNumber(text);
  if (!isDecimal(number)) std::abort();
  std::stoull(number);  // always within 64 bits

  const std::string mac = t::groupMac(text);
  const size_t expected = text.empty() ? 0 : text.size() + (text.size() + 1) / 2 - 1;
  if (mac.size() != expected) std::abort();
  for (size_t i = 0, from = 0; from < text.size(); i += 3, from += 2) {
    for (size_t k = 0; k < 2 && from + k < text.size(); ++k) {
      char in = text[from + k], out = mac[i + k];
      // A letter may stay small only as the trail byte of a GBK character.
      char upper = (in >= 'a' && in <= 'z') ? char(in - 'a' + 'A') : in;
      if (out != upper && !(out == in && k == 1 && static_cast<unsigned char>(text[from]) >= 0x80)) std::abort();
    }
    if (i + 2 < mac.size() && mac[i + 2] != '-') std::abort();
  }

  // Reversing never adds bytes (a trailing empty piece is dropped), and a
  // dotted quad reversed twice is itself again.
  if (t::reverseOctets(text).size() > text.size()) std::abort();
  if (t::reverseOctets(t::reverseOctets(dotted)) != dotted) std::abort();
  return 0;
}
