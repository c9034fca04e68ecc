#include "data/text/signature_search.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "data/text/gbk_text.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define TL_NIBBLE_FILTER 1
#endif

namespace tl::text {
namespace {

using Pending = detail::PendingSignatures;

inline unsigned char byteAt(std::string_view s, size_t pos) { return static_cast<unsigned char>(s[pos]); }

// A byte below 0x80 always ends a character, so a position starts one
// exactly when the bytes of 0x80 or more right before it, back to the last
// byte below 0x80, are an even number. When they run back to the start of
// `s`, the run before `s` (odd or even) continues them.
bool startsCharacter(std::string_view s, size_t pos, bool oddRunBefore) {
  size_t high = 0;
  while (high < pos && byteAt(s, pos - high - 1) >= 0x80) ++high;
  const bool odd = (high % 2 != 0) != (high == pos && oddRunBefore);
  return !odd;
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

// Checks the pending signatures whose first two bytes fit the text at `pos`
// (pos + 1 lies inside the text); returns true when one was found.
bool checkCandidate(std::string_view text, size_t pos, bool oddRunBefore, Pending& pending) {
  const uint16_t pair = foldedPair(reinterpret_cast<const unsigned char*>(text.data()) + pos);
  bool boundaryKnown = false, boundary = false, foundOne = false;
  for (size_t n = 0; n < pending.needles.size(); ++n) {
    if (pending.pairs[n] != pair || pending.found[n] || !matchesIgnoringCase(text, pos, pending.needles[n])) continue;
    if (!boundaryKnown) {
      boundary = startsCharacter(text, pos, oddRunBefore);
      boundaryKnown = true;
    }
    if (!boundary) return foundOne;
    pending.found[n] = 1;
    --pending.count;
    foundOne = true;
  }
  return foundOne;
}

// Positions from `pos` that start before `limit`, one at a time.
void scanOneAtATime(std::string_view text, size_t pos, size_t limit, bool oddRunBefore, Pending& pending) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  for (; pending.count > 0 && pos < limit && pos + 1 < text.size(); ++pos) {
    const uint16_t pair = foldedPair(bytes + pos);
    for (size_t n = 0; n < pending.pairs.size(); ++n) {
      if (!pending.found[n] && pending.pairs[n] == pair) {
        checkCandidate(text, pos, oddRunBefore, pending);
        break;
      }
    }
  }
}

#ifdef TL_NIBBLE_FILTER
// Candidate positions sixteen at a time: each pending signature takes one of
// eight bits, set in two tables per byte of its first four, indexed by that
// byte's low and high half (in every entry past a short signature's end). A
// position is a candidate when one bit is set in all eight lookups;
// signatures sharing a bit add candidates, never lose one, and
// checkCandidate keeps only true matches.
constexpr size_t kFilterBytes = 4;

struct NibbleTables {
  alignas(16) unsigned char low[kFilterBytes][16] = {};
  alignas(16) unsigned char high[kFilterBytes][16] = {};
  // The exact pairs, one bit each: most candidates of shared bits end here.
  std::array<uint64_t, 1024> pairs = {};
  bool hasPair(uint16_t pair) const { return (pairs[pair >> 6] >> (pair & 63)) & 1; }
};

NibbleTables makeTables(const Pending& pending) {
  NibbleTables tables;
  for (size_t n = 0, bit = 0; n < pending.pairs.size(); ++n) {
    if (pending.found[n]) continue;
    const auto mask = static_cast<unsigned char>(1u << (bit++ % 8));
    std::string_view needle = pending.needles[n];
    for (size_t k = 0; k < kFilterBytes; ++k) {
      if (k >= needle.size()) {
        for (size_t i = 0; i < 16; ++i) {
          tables.low[k][i] |= mask;
          tables.high[k][i] |= mask;
        }
        continue;
      }
      const unsigned c = roughFold(static_cast<unsigned char>(needle[k]));
      tables.low[k][c & 15] |= mask;
      tables.high[k][c >> 4] |= mask;
    }
    tables.pairs[pending.pairs[n] >> 6] |= uint64_t(1) << (pending.pairs[n] & 63);
  }
  return tables;
}

// Checks the candidates of one block (bit i of `mask`: position pos + i).
// Returns true when a signature was found; the tables then lose it.
bool checkBlock(std::string_view text, size_t pos, uint32_t mask, bool oddRunBefore, Pending& pending,
                NibbleTables& tables) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  bool foundOne = false;
  while (mask != 0 && pending.count > 0) {
    const unsigned bit = unsigned(__builtin_ctz(mask));
    mask &= mask - 1;
    if (!tables.hasPair(foldedPair(bytes + pos + bit))) continue;
    if (checkCandidate(text, pos + bit, oddRunBefore, pending)) {
      foundOne = true;
      tables = makeTables(pending);
    }
  }
  return foundOne;
}

__attribute__((target("ssse3"))) inline __m128i lookup16(const unsigned char* at, const NibbleTables& tables,
                                                         size_t k) {
  const __m128i nibble = _mm_set1_epi8(0x0F);
  const __m128i bytes = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at)), _mm_set1_epi8(0x20));
  const __m128i lowHits =
      _mm_shuffle_epi8(_mm_load_si128(reinterpret_cast<const __m128i*>(tables.low[k])), _mm_and_si128(bytes, nibble));
  const __m128i highHits = _mm_shuffle_epi8(_mm_load_si128(reinterpret_cast<const __m128i*>(tables.high[k])),
                                            _mm_and_si128(_mm_srli_epi16(bytes, 4), nibble));
  return _mm_and_si128(lowHits, highHits);
}

// Sixteen positions a step, while the step's bytes lie inside the text;
// returns where it stopped.
__attribute__((target("ssse3"))) size_t scanSixteenAtATime(std::string_view text, size_t pos, bool oddRunBefore,
                                                           Pending& pending) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  NibbleTables tables = makeTables(pending);
  while (pending.count > 0 && pos + 16 + kFilterBytes - 1 <= text.size()) {
    const unsigned char* at = bytes + pos;
    __m128i hits = _mm_and_si128(_mm_and_si128(lookup16(at, tables, 0), lookup16(at + 1, tables, 1)),
                                 _mm_and_si128(lookup16(at + 2, tables, 2), lookup16(at + 3, tables, 3)));
    const uint32_t mask = ~uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(hits, _mm_setzero_si128()))) & 0xFFFFu;
    if (mask != 0) checkBlock(text, pos, mask, oddRunBefore, pending, tables);
    pos += 16;
  }
  return pos;
}

// The same filter thirty-two positions a step, where the processor has
// AVX2: each half of a 256-bit register looks up the same tables.
__attribute__((target("avx2"))) inline __m256i lookup32(const unsigned char* at, const NibbleTables& tables,
                                                        size_t k) {
  const __m256i nibble = _mm256_set1_epi8(0x0F);
  const __m256i bytes =
      _mm256_or_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(at)), _mm256_set1_epi8(0x20));
  const __m256i low = _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(tables.low[k])));
  const __m256i high = _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(tables.high[k])));
  const __m256i lowHits = _mm256_shuffle_epi8(low, _mm256_and_si256(bytes, nibble));
  const __m256i highHits = _mm256_shuffle_epi8(high, _mm256_and_si256(_mm256_srli_epi16(bytes, 4), nibble));
  return _mm256_and_si256(lowHits, highHits);
}

__attribute__((target("avx2"))) size_t scanThirtyTwoAtATime(std::string_view text, size_t pos, bool oddRunBefore,
                                                             Pending& pending) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  NibbleTables tables = makeTables(pending);
  while (pending.count > 0 && pos + 32 + kFilterBytes - 1 <= text.size()) {
    const unsigned char* at = bytes + pos;
    __m256i hits = _mm256_and_si256(_mm256_and_si256(lookup32(at, tables, 0), lookup32(at + 1, tables, 1)),
                                    _mm256_and_si256(lookup32(at + 2, tables, 2), lookup32(at + 3, tables, 3)));
    const auto mask = ~uint32_t(_mm256_movemask_epi8(_mm256_cmpeq_epi8(hits, _mm256_setzero_si256())));
    if (mask != 0) checkBlock(text, pos, mask, oddRunBefore, pending, tables);
    pos += 32;
  }
  return pos;
}

#endif

// Every position of `text` that starts before `limit`.
void searchRange(std::string_view text, size_t limit, bool oddRunBefore, Pending& pending) {
  size_t pos = 0;
#ifdef TL_NIBBLE_FILTER
  if (limit == text.size() && __builtin_cpu_supports("avx2")) pos = scanThirtyTwoAtATime(text, pos, oddRunBefore, pending);
  if (limit == text.size() && __builtin_cpu_supports("ssse3")) pos = scanSixteenAtATime(text, pos, oddRunBefore, pending);
#endif
  scanOneAtATime(text, pos, limit, oddRunBefore, pending);
}

}  // namespace

SignatureSearch::SignatureSearch(std::vector<std::string_view> batch)
    : batch_(std::move(batch)), found_(batch_.size(), false), remaining_(batch_.size()) {
  for (size_t n = 0; n < batch_.size(); ++n) {
    std::string_view needle = batch_[n];
    if (needle.empty()) {
      markFound(n);  // found at the start of any text
    } else if (needle.size() == 1) {
      oneByte_.push_back(n);
    } else {
      pending_.needles.push_back(needle);
      pending_.pairs.push_back(foldedPair(reinterpret_cast<const unsigned char*>(needle.data())));
      pendingOwner_.push_back(n);
      longest_ = std::max(longest_, needle.size());
    }
  }
  pending_.found.assign(pending_.needles.size(), 0);
  pending_.count = pending_.needles.size();
}

SignatureSearch::SignatureSearch(std::string_view text, std::vector<std::string_view> batch)
    : SignatureSearch(std::move(batch)) {
  whole_ = true;
  text_ = text;
  feed(text);
}

void SignatureSearch::markFound(size_t batchIndex) {
  if (found_[batchIndex]) return;
  found_[batchIndex] = true;
  --remaining_;
}

void SignatureSearch::feed(std::string_view piece) {
  if (remaining_ == 0 || piece.empty()) return;
  if (pending_.count > 0) {
    // Signatures that start in the end of the previous piece and run on.
    if (!tail_.empty()) {
      std::string joined = tail_;
      joined.append(piece.substr(0, longest_ - 1));
      searchRange(joined, tail_.size(), false, pending_);
    }
    searchRange(piece, piece.size(), oddRun_, pending_);
    for (size_t k = 0; k < pending_.found.size(); ++k)
      if (pending_.found[k]) markFound(pendingOwner_[k]);
    keepTail(piece);
  }
  searchOneByteNeedles(piece, oddRun_);

  size_t high = 0;
  while (high < piece.size() && byteAt(piece, piece.size() - 1 - high) >= 0x80) ++high;
  oddRun_ = (high % 2 != 0) != (high == piece.size() && oddRun_);
}

void SignatureSearch::searchOneByteNeedles(std::string_view piece, bool oddRunBefore) {
  for (size_t n : oneByte_) {
    if (found_[n]) continue;
    for (char c : {asciiUpper(batch_[n][0]), asciiLower(batch_[n][0])}) {
      for (const void* hit = std::memchr(piece.data(), c, piece.size()); hit && !found_[n];) {
        const size_t pos = size_t(static_cast<const char*>(hit) - piece.data());
        if (startsCharacter(piece, pos, oddRunBefore)) markFound(n);
        hit = std::memchr(piece.data() + pos + 1, c, piece.size() - pos - 1);
      }
    }
  }
}

// Keeps the last longest_ - 1 bytes fed, from the first byte of a character
// (the byte before a second byte always starts one).
void SignatureSearch::keepTail(std::string_view piece) {
  const size_t keep = longest_ - 1;
  if (piece.size() > keep) {
    size_t start = piece.size() - keep;
    if (!startsCharacter(piece, start, oddRun_)) --start;
    tail_.assign(piece.substr(start));
    return;
  }
  std::string joined = tail_;  // starts a character
  joined.append(piece);
  size_t start = joined.size() > keep ? joined.size() - keep : 0;
  if (start > 0 && !startsCharacter(joined, start, false)) --start;
  tail_ = joined.substr(start);
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
  return whole_ && find(text_, needle, Case::Insensitive) != npos;
}

}  // namespace tl::text
