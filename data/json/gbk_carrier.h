#pragma once
// The JSON parser reads UTF-8; the JSON list files are GBK. Instead of
// decoding GBK (which turns a stray byte into "?"), every GBK character rides
// through the parser as one private-use code point of plane 15 that holds its
// bytes:
//   - a lead byte 0x81..0xFE with a trail byte 0x40..0x7E or 0x80..0xFE:
//     U+F0000 + (lead << 8 | trail);
//   - any other byte of 0x80 or more: U+F0000 + byte;
//   - ASCII as itself.
// So every text of the file comes back byte for byte, and a trail byte that
// looks like "\" or "]" (乗 is 81 5C) never reaches the parser as such.
// Characters that the JSON text writes as \u escapes are real Unicode after
// parsing and go back through the platform's UTF-8 to GBK converter.
#include <string>
#include <string_view>

namespace tl::json_text {

// GBK bytes as UTF-8 with carrier code points; always valid UTF-8.
std::string gbkToCarrier(std::string_view gbk);

// The inverse: carriers give back their bytes, ASCII stays, runs of other
// characters are converted from UTF-8 to GBK (characters that GBK lacks and
// invalid UTF-8 become "?").
std::string carrierToGbk(std::string_view utf8);

}  // namespace tl::json_text
