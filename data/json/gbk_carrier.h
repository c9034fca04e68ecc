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
#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>

namespace tl::json_text {

// GBK bytes as UTF-8 with carrier code points; always valid UTF-8.
std::string gbkToCarrier(std::string_view gbk);

// The inverse: carriers give back their bytes, ASCII stays, runs of other
// characters are converted from UTF-8 to GBK (characters that GBK lacks and
// invalid UTF-8 become "?").
std::string carrierToGbk(std::string_view utf8);

// The double-byte characters that ride as one carrier: a lead byte with a
// trail byte after it.
inline bool isLeadByte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }
inline bool isTrailByte(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFE); }

// The carrier text's bytes one at a time, made as they are read, for a
// parser that reads from iterators: the carrier text is never held whole.
// gbkToCarrier is the same bytes gathered into a string.
class CarrierIterator {
 public:
  using iterator_category = std::forward_iterator_tag;
  using value_type = char;
  using difference_type = std::ptrdiff_t;
  using pointer = const char*;
  using reference = char;

  CarrierIterator() = default;
  CarrierIterator(const char* at, const char* end) : at_(at), end_(end) {}

  char operator*() const {
    const auto b = static_cast<unsigned char>(*at_);
    if (b < 0x80) return char(b);
    // U+F0000 + value as four UTF-8 bytes: F3, then 0xB0 | the value's top
    // four bits, then two six-bit groups.
    const unsigned value = pairs() ? unsigned(b) << 8 | static_cast<unsigned char>(at_[1]) : b;
    switch (step_) {
      case 0:
        return char(0xF3);
      case 1:
        return char(0xB0 | (value >> 12));
      case 2:
        return char(0x80 | ((value >> 6) & 0x3F));
      default:
        return char(0x80 | (value & 0x3F));
    }
  }

  CarrierIterator& operator++() {
    if (static_cast<unsigned char>(*at_) < 0x80) {
      ++at_;
    } else if (step_ < 3) {
      ++step_;
    } else {
      at_ += pairs() ? 2 : 1;
      step_ = 0;
    }
    return *this;
  }
  CarrierIterator operator++(int) {
    CarrierIterator before = *this;
    ++*this;
    return before;
  }

  bool operator==(const CarrierIterator& other) const { return at_ == other.at_ && step_ == other.step_; }

 private:
  // A lead byte with a trail byte after it: one carrier for both.
  bool pairs() const {
    return isLeadByte(static_cast<unsigned char>(at_[0])) && at_ + 1 < end_ &&
           isTrailByte(static_cast<unsigned char>(at_[1]));
  }

  const char* at_ = nullptr;
  const char* end_ = nullptr;
  int step_ = 0;  // which of a carrier's four bytes
};

}  // namespace tl::json_text
