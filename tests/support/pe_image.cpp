#include "tests/support/pe_image.h"

#include <cstdint>

namespace tl::test {
namespace {

void put(std::string& bytes, size_t offset, uint32_t value, size_t width) {
  for (size_t i = 0; i < width; ++i) bytes[offset + i] = char(value >> (8 * i));
}

}  // namespace

std::string executableWithVersion(const update::FileVersion& version, char filler) {
  constexpr size_t kPe = 0x40, kOptional = kPe + 24, kOptionalSize = 240, kSections = kOptional + kOptionalSize;
  constexpr size_t kRaw = 0x200, kRawSize = 0x200;
  constexpr uint32_t kRva = 0x1000;
  std::string bytes(kRaw + kRawSize, '\0');
  bytes[0] = 'M';
  bytes[1] = 'Z';
  put(bytes, 0x3C, kPe, 4);
  bytes.replace(kPe, 4, std::string("PE\0\0", 4));
  put(bytes, kPe + 4, 0x8664, 2);  // x86-64
  put(bytes, kPe + 6, 1, 2);       // one section
  put(bytes, kPe + 20, kOptionalSize, 2);
  put(bytes, kOptional, 0x20B, 2);          // PE32+
  put(bytes, kOptional + 108, 16, 4);       // data directories
  put(bytes, kOptional + 112 + 16, kRva, 4);  // the resource directory
  put(bytes, kOptional + 112 + 20, kRawSize, 4);
  bytes.replace(kSections, 5, ".rsrc");
  put(bytes, kSections + 8, kRawSize, 4);
  put(bytes, kSections + 12, kRva, 4);
  put(bytes, kSections + 16, kRawSize, 4);
  put(bytes, kSections + 20, kRaw, 4);

  // Type 16 → name 1 → language 0x804 → the data entry; offsets from the
  // section's start, the high bit marking a subdirectory.
  const size_t r = kRaw;
  put(bytes, r + 14, 1, 2);
  put(bytes, r + 16, 16, 4);
  put(bytes, r + 20, 0x80000000u | 0x18, 4);
  put(bytes, r + 0x18 + 14, 1, 2);
  put(bytes, r + 0x18 + 16, 1, 4);
  put(bytes, r + 0x18 + 20, 0x80000000u | 0x30, 4);
  put(bytes, r + 0x30 + 14, 1, 2);
  put(bytes, r + 0x30 + 16, 0x804, 4);
  put(bytes, r + 0x30 + 20, 0x48, 4);
  constexpr size_t kInfo = 0x58, kInfoSize = 92;
  put(bytes, r + 0x48, kRva + kInfo, 4);
  put(bytes, r + 0x48 + 4, kInfoSize, 4);

  const size_t v = r + kInfo;
  put(bytes, v, kInfoSize, 2);
  put(bytes, v + 2, 52, 2);
  const char16_t key[] = u"VS_VERSION_INFO";
  for (size_t i = 0; i < std::size(key); ++i) put(bytes, v + 6 + 2 * i, key[i], 2);
  const auto& p = version.parts;
  put(bytes, v + 40, 0xFEEF04BDu, 4);
  put(bytes, v + 44, 0x10000, 4);
  put(bytes, v + 48, uint32_t(p[0]) << 16 | p[1], 4);
  put(bytes, v + 52, uint32_t(p[2]) << 16 | p[3], 4);
  put(bytes, v + 56, uint32_t(p[0]) << 16 | p[1], 4);
  put(bytes, v + 60, uint32_t(p[2]) << 16 | p[3], 4);
  put(bytes, v + 72, 0x40004, 4);  // VOS_NT_WINDOWS32
  put(bytes, v + 76, 1, 4);        // VFT_APP
  for (size_t i = kPaddingOffset; i < bytes.size(); ++i) bytes[i] = filler;
  return bytes;
}

}  // namespace tl::test
