#pragma once
// Several signatures looked for in one large text at once, with the rules of
// text::find in case-insensitive mode: ASCII letters match without regard to
// case, and a match never starts on the second byte of a double-byte
// character. One pass over the text finds candidates by each signature's
// first four bytes and checks only those exactly, instead of one search per
// signature stepping a character at a time. The text may come in pieces, as
// a file read a piece at a time, so a large file is never held whole.
#include <string>
#include <string_view>
#include <vector>

namespace tl::text {

namespace detail {
// The signatures of two or more bytes that are still pending, with their
// roughly folded first two bytes.
struct PendingSignatures {
  std::vector<std::string_view> needles;
  std::vector<unsigned short> pairs;
  std::vector<unsigned char> found;  // bytes, not bits: read at every candidate
  size_t count = 0;
};
}  // namespace detail

class SignatureSearch {
 public:
  // Searches the whole of `text` for every signature of `batch`. The
  // signatures must be ASCII; the text must outlive the object.
  SignatureSearch(std::string_view text, std::vector<std::string_view> batch);

  // A search fed the text piece by piece with feed(). It answers only the
  // signatures of its batch, which must outlive it.
  explicit SignatureSearch(std::vector<std::string_view> batch);

  // The next piece of the text. A signature may run across pieces.
  void feed(std::string_view piece);

  // Whether every signature of the batch was found, so that the rest of the
  // text cannot change an answer.
  bool allFound() const { return remaining_ == 0; }

  // Whether `needle` occurs: the batch's answer for one of its signatures,
  // "no" for a needle that holds one the text lacks, else (for a whole
  // text) a search of its own.
  bool contains(std::string_view needle) const;

 private:
  void markFound(size_t batchIndex);
  void searchOneByteNeedles(std::string_view piece, bool oddRunBefore);
  void keepTail(std::string_view piece);

  std::vector<std::string_view> batch_;
  std::vector<bool> found_;
  size_t remaining_ = 0;  // signatures of the batch not found yet
  bool whole_ = false;    // text_ is the whole text
  std::string_view text_;

  detail::PendingSignatures pending_;
  std::vector<size_t> pendingOwner_;  // batch index of each pending signature
  std::vector<size_t> oneByte_;       // batch indices of the one-byte signatures
  size_t longest_ = 0;
  // The end of the text fed so far, from a character's first byte: where a
  // signature that runs into the next piece begins.
  std::string tail_;
  // Whether the bytes of 0x80 or more at the end of the text fed so far are
  // an odd number: then the next piece starts on a second byte.
  bool oddRun_ = false;
};

}  // namespace tl::text
