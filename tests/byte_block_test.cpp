// The sixteen-byte block tests against their byte-at-a-time forms, on random
// blocks rich in the bytes that matter: letters in both cases, high bytes,
// NUL.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "data/text/byte_block.h"

namespace tl::text {
namespace {

TEST(ByteBlock, VectorFormsMatchTheBytewiseForms) {
  std::mt19937 random(20261211);
  const std::string alphabet = std::string("iIpPmMaAcC.-0\x80\xB0\xFF", 17) + std::string(1, '\0');
  char bytes[block::kSize];
  for (int round = 0; round < 20000; ++round) {
    for (char& b : bytes) b = alphabet[random() % alphabet.size()];
    ASSERT_EQ(block::high(bytes), block::portable::high(bytes));
    for (char value : {'i', 'p', 'm', 'a', 'c', '.', '\0', '\xB0', '\xFF'})
      ASSERT_EQ(block::equal(bytes, value), block::portable::equal(bytes, value));
  }
}

TEST(ByteBlock, HighRunAtEndCountsTheHighBytesBeforeTheEnd) {
  std::mt19937 random(7);
  char bytes[block::kSize];
  for (int round = 0; round < 20000; ++round) {
    for (char& b : bytes) b = random() % 2 ? '\xB0' : 'a';
    const uint32_t high = block::high(bytes);
    for (size_t n = 1; n <= block::kSize; ++n) {
      int run = 0;
      while (run < int(n) && static_cast<unsigned char>(bytes[n - 1 - size_t(run)]) >= 0x80) ++run;
      ASSERT_EQ(block::highRunAtEnd(high, n), run) << n;
    }
  }
}

}  // namespace
}  // namespace tl::text
