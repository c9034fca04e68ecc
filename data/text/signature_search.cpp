#include "data/text/signature_search.h"

#include <cstdint>
#include <cstring>

#include "data/text/gbk_text.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tl::text {
namespace {

// A byte below 0x80 always ends a character, so a position starts one
// exactly when the bytes of 0x80 or more right before it, back to the last
// byte below 0x80, are an even number.
bool startsCharacter(std::string_view s, size_t pos) {
  size_t high = 0;
  while (high < pos && static_cast<unsigned char>(s[pos - high - 1]) >= 0x80) ++high;
  return high % 2 == 0;
}

bool matchesIgnoringCase(std::string_view text, size_t pos, std::string_view needle) {
  if (text.size() - pos < needle.size()) return false;
  for (size_t k = 0; k < needle.size(); ++k)
    if (asciiUpper(text[pos + k]) != asciiUpper(needle[k])) return false;
  return true;
}

// Setting bit 0x20 folds an ASCII letter to lower case (and other bytes to
// something else, which only adds candidates that the exact check drops).
inline unsigned char roughFold(unsigned char c) { return c | 0x20; }

// Checks every pending signature at `pos`; returns true when all are found.
bool checkCandidate(std::string_view text, size_t pos, const std::vector<std::string_view>& needles,
                    std::vector<bool>& found, size_t& pending) {
  bool boundaryKnown = false, boundary = false;
  for (size_t n = 0; n < needles.size(); ++n) {
    if (found[n] || !matchesIgnoringCase(text, pos, needles[n])) continue;
    if (!boundaryKnown) {
      boundary = startsCharacter(text, pos);
      boundaryKnown = true;
    }
    if (!boundary) return false;
    found[n] = true;
    --pending;
  }
  return pending == 0;
}

}  // namespace

SignatureSearch::SignatureSearch(std::string_view text, std::vector<std::string_view> batch)
    : text_(text), batch_(std::move(batch)), found_(batch_.size(), false) {
  // Signatures of one byte and the empty one are answered on their own.
  std::vector<std::string_view> needles;
  std::vector<size_t> owner;
  for (size_t n = 0; n < batch_.size(); ++n) {
    if (batch_[n].size() < 2) {
      found_[n] = find(text, batch_[n], Case::Insensitive) != npos;
    } else {
      needles.push_back(batch_[n]);
      owner.push_back(n);
    }
  }
  std::vector<bool> found(needles.size(), false);
  size_t pending = needles.size();
  std::vector<uint16_t> pairs;  // each signature's first two bytes, roughly folded
  for (std::string_view needle : needles)
    pairs.push_back(uint16_t(roughFold(static_cast<unsigned char>(needle[0])) |
                             roughFold(static_cast<unsigned char>(needle[1])) << 8));

  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const size_t size = text.size();
  size_t pos = 0;
#if defined(__SSE2__)
  const __m128i fold = _mm_set1_epi8(0x20);
  while (pending > 0 && pos + 17 <= size) {
    __m128i first = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + pos)), fold);
    __m128i second = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + pos + 1)), fold);
    __m128i hits = _mm_setzero_si128();
    for (size_t n = 0; n < pairs.size(); ++n) {
      if (found[n]) continue;
      __m128i a = _mm_cmpeq_epi8(first, _mm_set1_epi8(char(pairs[n] & 0xFF)));
      __m128i b = _mm_cmpeq_epi8(second, _mm_set1_epi8(char(pairs[n] >> 8)));
      hits = _mm_or_si128(hits, _mm_and_si128(a, b));
    }
    unsigned mask = unsigned(_mm_movemask_epi8(hits));
    while (mask != 0 && pending > 0) {
      unsigned bit = unsigned(__builtin_ctz(mask));
      mask &= mask - 1;
      checkCandidate(text, pos + bit, needles, found, pending);
    }
    pos += 16;
  }
#endif
  for (; pending > 0 && pos + 1 < size; ++pos) {
    uint16_t pair = uint16_t(roughFold(bytes[pos]) | roughFold(bytes[pos + 1]) << 8);
    for (size_t n = 0; n < pairs.size(); ++n) {
      if (!found[n] && pairs[n] == pair) {
        checkCandidate(text, pos, needles, found, pending);
        break;
      }
    }
  }
  for (size_t k = 0; k < needles.size(); ++k) found_[owner[k]] = found[k];
}

bool SignatureSearch::contains(std::string_view needle) const {
  for (size_t n = 0; n < batch_.size(); ++n)
    if (batch_[n] == needle) return found_[n];
  // An ASCII needle that holds a signature the text lacks is not there
  // either: where it started on a character, so would the signature.
  bool ascii = true;
  for (char c : needle) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  for (size_t n = 0; ascii && n < batch_.size(); ++n)
    if (!found_[n] && !batch_[n].empty() && find(needle, batch_[n], Case::Insensitive) != npos) return false;
  return find(text_, needle, Case::Insensitive) != npos;
}

}  // namespace tl::text
