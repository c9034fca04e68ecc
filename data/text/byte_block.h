#pragma once
// Sixteen bytes of a short text looked at together: one mask bit per byte,
// bit i for byte i. A computer name, an IP address or a MAC address's first
// sixteen bytes fit in one block, so a test over a whole cell is a few
// instructions instead of a loop over its bytes; so does most of a line of
// an INI file.
//
// The caller makes sure all sixteen bytes may be read: a std::string's
// storage holds sixteen (see stringsReadableAsBlocks); a reader of a
// longer text takes only blocks that lie inside it.
#include <bit>
#include <cstdint>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tl::text::block {

inline constexpr size_t kSize = 16;

// Whether sixteen bytes may be read from the start of every string's
// storage: its capacity and the closing NUL. A string never has less room
// than an empty one (the usual standard libraries keep a short text inside
// the string object, in room for fifteen bytes and the NUL, and allocate
// only for a longer one), so the empty string tells for all.
inline bool stringsReadableAsBlocks() { return std::string().capacity() + 1 >= kSize; }

// The bits of the first n bytes (n at most 16).
inline uint32_t firstBytes(size_t n) { return (uint32_t(1) << n) - 1; }

// The plain byte-at-a-time forms, for machines without SSE2 and for the
// tests that hold the vector forms to them.
namespace portable {

// Bytes equal to `value`.
inline uint32_t equal(const char* bytes, char value) {
  uint32_t mask = 0;
  for (size_t i = 0; i < kSize; ++i) mask |= uint32_t(bytes[i] == value) << i;
  return mask;
}

// Bytes of 0x80 or more.
inline uint32_t high(const char* bytes) {
  uint32_t mask = 0;
  for (size_t i = 0; i < kSize; ++i) mask |= uint32_t(static_cast<unsigned char>(bytes[i]) >= 0x80) << i;
  return mask;
}

}  // namespace portable

#if defined(__SSE2__)
inline uint32_t equal(const char* bytes, char value) {
  const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
  return uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(block, _mm_set1_epi8(value))));
}
inline uint32_t high(const char* bytes) {
  return uint32_t(_mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes))));
}
#else
using portable::equal;
using portable::high;
#endif

// How many bytes of 0x80 or more end the first n bytes (n from 1 to 16),
// given their high() mask: a text ends on a whole character when this is
// even.
inline int highRunAtEnd(uint32_t highMask, size_t n) { return std::countl_one(uint32_t(highMask << (32 - n))); }

}  // namespace tl::text::block
