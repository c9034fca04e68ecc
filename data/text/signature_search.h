#pragma once
// Several signatures looked for in one large text at once, with the rules of
// text::find in case-insensitive mode: ASCII letters match without regard to
// case, and a match never starts on the second byte of a double-byte
// character. One pass over the text finds candidates by each signature's
// first two bytes and checks only those exactly, instead of one search per
// signature stepping a character at a time.
#include <string_view>
#include <vector>

namespace tl::text {

class SignatureSearch {
 public:
  // Searches `text` for every signature of `batch` in one pass. The
  // signatures must be ASCII; the text must outlive the object.
  SignatureSearch(std::string_view text, std::vector<std::string_view> batch);

  // Whether `needle` occurs: the batch's answer for one of its signatures,
  // "no" for a needle that holds one the text lacks, else a search of its own.
  bool contains(std::string_view needle) const;

 private:
  std::string_view text_;
  std::vector<std::string_view> batch_;
  std::vector<bool> found_;
};

}  // namespace tl::text
