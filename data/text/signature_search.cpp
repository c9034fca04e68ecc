#include "data/text/signature_search.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "data/text/gbk_text.h"

#if defined(__x86_64__) || defined(__i386__)
#include <tmmintrin.h>
#define TL_NIBBLE_FILTER 1
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

inline uint16_t foldedPair(const unsigned char* bytes) { return uint16_t(roughFold(bytes[0]) | roughFold(bytes[1]) << 8); }

// The pending signatures with their roughly folded first two bytes.
struct Pending {
  std::vector<std::string_view> needles;
  std::vector<uint16_t> pairs;
  std::vector<unsigned char> found;  // bytes, not bits: read at every candidate
  size_t count = 0;
};

// Checks the pending signatures whose first two bytes fit the text at `pos`
// (pos + 1 lies inside the text); returns true when one was found.
bool checkCandidate(std::string_view text, size_t pos, Pending& pending) {
  const uint16_t pair = foldedPair(reinterpret_cast<const unsigned char*>(text.data()) + pos);
  bool boundaryKnown = false, boundary = false, foundOne = false;
  for (size_t n = 0; n < pending.needles.size(); ++n) {
    if (pending.pairs[n] != pair || pending.found[n] || !matchesIgnoringCase(text, pos, pending.needles[n])) continue;
    if (!boundaryKnown) {
      boundary = startsCharacter(text, pos);
      boundaryKnown = true;
    }
    if (!boundary) return foundOne;
    pending.found[n] = 1;
    --pending.count;
    foundOne = true;
  }
  return foundOne;
}

#ifdef TL_NIBBLE_FILTER
// Candidate positions sixteen at a time: each pending signature takes one of
// eight bits, set in four tables indexed by the low and the high half of its
// first and of its second byte. A position is a candidate when one bit is set
// in all four lookups; signatures sharing a bit add candidates, never lose
// one, and checkCandidate keeps only true matches.
struct NibbleTables {
  alignas(16) unsigned char low1[16] = {}, high1[16] = {}, low2[16] = {}, high2[16] = {};
  // The exact pairs, one bit each: most candidates of shared bits end here.
  std::array<uint64_t, 1024> pairs = {};
  bool hasPair(uint16_t pair) const { return (pairs[pair >> 6] >> (pair & 63)) & 1; }
};

NibbleTables makeTables(const Pending& pending) {
  NibbleTables tables;
  for (size_t n = 0, bit = 0; n < pending.pairs.size(); ++n) {
    if (pending.found[n]) continue;
    const auto mask = static_cast<unsigned char>(1u << (bit++ % 8));
    const unsigned first = pending.pairs[n] & 0xFF, second = pending.pairs[n] >> 8;
    tables.low1[first & 15] |= mask;
    tables.high1[first >> 4] |= mask;
    tables.low2[second & 15] |= mask;
    tables.high2[second >> 4] |= mask;
    tables.pairs[pending.pairs[n] >> 6] |= uint64_t(1) << (pending.pairs[n] & 63);
  }
  return tables;
}

__attribute__((target("ssse3"))) inline __m128i lookup(__m128i bytes, const unsigned char* low, const unsigned char* high) {
  const __m128i nibble = _mm_set1_epi8(0x0F);
  __m128i lowHits = _mm_shuffle_epi8(_mm_load_si128(reinterpret_cast<const __m128i*>(low)), _mm_and_si128(bytes, nibble));
  __m128i highHits = _mm_shuffle_epi8(_mm_load_si128(reinterpret_cast<const __m128i*>(high)),
                                      _mm_and_si128(_mm_srli_epi16(bytes, 4), nibble));
  return _mm_and_si128(lowHits, highHits);
}

// Scans from `pos` while 17 bytes remain; returns where the scan stopped.
__attribute__((target("ssse3"))) size_t scanSixteenAtATime(std::string_view text, size_t pos, Pending& pending) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const __m128i fold = _mm_set1_epi8(0x20);
  const __m128i zero = _mm_setzero_si128();
  NibbleTables tables = makeTables(pending);
  while (pending.count > 0 && pos + 17 <= text.size()) {
    __m128i first = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + pos)), fold);
    __m128i second = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + pos + 1)), fold);
    __m128i hits = _mm_and_si128(lookup(first, tables.low1, tables.high1), lookup(second, tables.low2, tables.high2));
    unsigned mask = ~unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(hits, zero))) & 0xFFFFu;
    while (mask != 0) {
      unsigned bit = unsigned(__builtin_ctz(mask));
      mask &= mask - 1;
      if (!tables.hasPair(foldedPair(bytes + pos + bit))) continue;
      if (checkCandidate(text, pos + bit, pending)) {
        if (pending.count == 0) return pos;
        tables = makeTables(pending);
      }
    }
    pos += 16;
  }
  return pos;
}
#endif

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
  Pending pending;
  pending.needles = needles;
  pending.found.assign(needles.size(), 0);
  pending.count = needles.size();
  for (std::string_view needle : needles)
    pending.pairs.push_back(foldedPair(reinterpret_cast<const unsigned char*>(needle.data())));

  size_t pos = 0;
#ifdef TL_NIBBLE_FILTER
  if (__builtin_cpu_supports("ssse3")) pos = scanSixteenAtATime(text, pos, pending);
#endif
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  for (; pending.count > 0 && pos + 1 < text.size(); ++pos) {
    const uint16_t pair = foldedPair(bytes + pos);
    for (size_t n = 0; n < pending.pairs.size(); ++n) {
      if (!pending.found[n] && pending.pairs[n] == pair) {
        checkCandidate(text, pos, pending);
        break;
      }
    }
  }
  for (size_t k = 0; k < needles.size(); ++k) found_[owner[k]] = pending.found[k] != 0;
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
