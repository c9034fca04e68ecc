#pragma once
// GBK byte-string helpers shared by every part of the tool.
//
// A byte of 0x80 or more starts a double-byte character that is always stepped
// over as one unit, so a search never matches from a trail byte (GBK trail
// bytes reuse the ASCII range 0x40..0x7E). Case folding touches only the ASCII
// letters a to z.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace tl::text {

inline constexpr size_t npos = std::string_view::npos;

// Length in bytes of the character that starts at `pos`: 2 for a lead byte
// that has a byte after it, else 1.
inline size_t charLength(std::string_view s, size_t pos) {
  return (static_cast<unsigned char>(s[pos]) >= 0x80 && pos + 1 < s.size()) ? 2 : 1;
}

// A byte below 0x80 always ends a character (it is one, or the second byte
// of one), so a position is a character boundary exactly when the bytes of
// 0x80 or more right before it, back to the last byte below 0x80 or the
// start, are an even number.
inline bool startsCharacter(std::string_view s, size_t pos) {
  size_t high = 0;
  while (high < pos && static_cast<unsigned char>(s[pos - high - 1]) >= 0x80) ++high;
  return high % 2 == 0;
}

inline char asciiUpper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }
inline char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

// ASCII letters changed, double-byte characters left whole.
std::string toUpperAscii(std::string_view s);
std::string toLowerAscii(std::string_view s);

enum class Case { Sensitive, Insensitive };

// Position of the first occurrence of `needle` at or after `from` that starts
// on a character boundary, or npos. An empty needle is found at `from`.
size_t find(std::string_view haystack, std::string_view needle, Case mode, size_t from = 0);
inline bool contains(std::string_view haystack, std::string_view needle, Case mode) {
  return find(haystack, needle, mode) != npos;
}

// Every non-overlapping occurrence, scanning left to right by characters; the
// inserted text is not scanned again. An empty `from` returns `text` unchanged.
std::string replaceAll(std::string_view text, std::string_view from, std::string_view to,
                       Case mode = Case::Sensitive);

// The same replacement written into `out` (its old content dropped, its
// storage reused), for callers that rewrite many texts in a row. False, with
// `out` left unspecified, when `from` is empty or does not occur.
bool replaceAllInto(std::string_view text, std::string_view from, std::string_view to, Case mode,
                    std::string& out);

// replaceAllInto for one `from` and `to` applied to many texts (a column of
// the grid): the needle is looked at once, and a text without it costs one
// scan.
class Replacer {
 public:
  Replacer(std::string_view from, std::string_view to, Case mode);
  bool into(std::string_view text, std::string& out) const;
  // The same replacement made in `text` itself (the result into's `out`
  // would hold); `scratch` is room it may use. Whether anything was
  // replaced. Inline: a rename calls it for every cell of a column.
  //
  // Matches are found as into() finds them, in the text as it is being
  // rewritten. That is the same text wherever it is looked at: a match
  // starts at or after the end of the last `to` put in, and the boundary
  // check looks back only over bytes of 0x80 or more, which stop at the
  // last byte of `to` (ASCII, not empty) just as they stopped at the last
  // byte of the ASCII match it replaced. A `to` of another length moves the
  // text's tail, so only short texts are rewritten that way; the rest, and
  // any other `to`, are built in `scratch` and copied back.
  bool inPlace(std::string& text, std::string& scratch) const {
    constexpr size_t kShortText = 64;
    const size_t m = from_.size(), n = to_.size();
    if (!ascii_ || !asciiTo_ || (n != m && text.size() > kShortText)) return inPlaceByCopy(text, scratch);
    const char fold = foldBits_[0], first = folded_[0];
    bool replaced = false;
    for (size_t i = 0; i + m <= text.size(); ++i) {
      if (char(text[i] | fold) != first || !asciiRestMatchesAt(text, i) || !startsCharacter(text, i)) continue;
      replaced = true;
      if (n == m)
        std::memcpy(text.data() + i, to_.data(), m);
      else
        text.replace(i, m, to_);
      i += n - 1;
    }
    return replaced;
  }

 private:
  // Whether an ASCII `from` stands at text[i] (its first byte already
  // matched), before the check that i starts a character.
  bool asciiRestMatchesAt(std::string_view text, size_t i) const {
    for (size_t k = 1; k < folded_.size(); ++k)
      if (char(text[i + k] | foldBits_[k]) != folded_[k]) return false;
    return true;
  }
  bool inPlaceByCopy(std::string& text, std::string& scratch) const;

  std::string from_, to_;
  // An ASCII letter whose case does not count is compared with its 0x20 bit
  // set on both sides ('P' | 0x20 is 'p'): foldBits_ holds 0x20 for those
  // bytes of `from` and 0 for the others, folded_ is `from` so folded.
  std::string foldBits_, folded_;
  Case mode_;
  bool ascii_;
  bool asciiTo_;  // `to` not empty and ASCII
};

// Pieces between separators, empty ones kept; an empty last piece is dropped
// (so "" and "a," give one piece fewer than separators + 1).
std::vector<std::string> split(std::string_view text, char separator);
// The same pieces as views into `text`, written into `pieces` (its storage
// reused), for readers that split every line of a file.
void splitInto(std::string_view text, char separator, std::vector<std::string_view>& pieces);

// Position of the last single-byte character equal to `c`, stepping by
// characters (a trail byte 0x5C is no "\\"), or npos. Splits a path into
// its folder and its file name.
size_t findLastChar(std::string_view text, char c);

// Removes every byte equal to `c` (ASCII `c` only ever matches single-byte
// characters in GBK when it is below 0x40).
std::string removeAll(std::string_view text, char c);

// The high bit of every zero byte of a word, and perhaps of some bytes
// after one: a false flag only ever sits above a true one, so the lowest
// flag (of this mask, or of several such masks joined) is exact.
inline uint64_t zeroByteFlags(uint64_t word) {
  constexpr uint64_t ones = 0x0101010101010101ull, highs = 0x8080808080808080ull;
  return (word - ones) & ~word & highs;
}

// The index of the first zero byte of a word loaded little-endian from
// text, or 8.
inline size_t firstZeroByte(uint64_t word) {
  const uint64_t hit = zeroByteFlags(word);
  return hit ? size_t(__builtin_ctzll(hit) >> 3) : 8;
}

// The bytes up to, not including, the first NUL. Inline: readers cut every
// name and value with it.
inline std::string_view untilNul(std::string_view bytes) {
  // A short text (a key, a section name) is looked at in place: a call to
  // memchr costs more than its few bytes. One of 8 to 16 bytes is two words
  // that overlap; the second is asked only when the first holds no NUL.
  const size_t size = bytes.size();
  if (size < 8) {
    for (size_t i = 0; i < size; ++i)
      if (bytes[i] == '\0') return bytes.substr(0, i);
    return bytes;
  }
  if (size <= 16) {
    uint64_t head, tail;
    std::memcpy(&head, bytes.data(), 8);
    std::memcpy(&tail, bytes.data() + size - 8, 8);
    size_t z = firstZeroByte(head);
    if (z == 8) {
      z = firstZeroByte(tail);
      if (z == 8) return bytes;
      z += size - 8;
    }
    return bytes.substr(0, z);
  }
  size_t z = bytes.find('\0');
  return z == npos ? bytes : bytes.substr(0, z);
}

}  // namespace tl::text
