#include "update/file_version.h"

#include <optional>

namespace tl::update {
namespace {

// Little-endian reads that refuse to step outside the bytes.
class Bytes {
 public:
  explicit Bytes(std::string_view bytes) : bytes_(bytes) {}
  bool has(uint64_t offset, uint64_t width) const { return offset <= bytes_.size() && width <= bytes_.size() - offset; }
  std::optional<uint32_t> read(uint64_t offset, uint64_t width) const {
    if (!has(offset, width)) return std::nullopt;
    uint32_t value = 0;
    for (uint64_t i = 0; i < width; ++i) value |= uint32_t(uint8_t(bytes_[offset + i])) << (8 * i);
    return value;
  }

 private:
  std::string_view bytes_;
};

constexpr uint32_t kVersionResourceType = 16;  // RT_VERSION
constexpr uint32_t kVersionResourceName = 1;   // VS_VERSION_INFO
constexpr uint32_t kSubdirectoryBit = 0x80000000u;
constexpr uint32_t kFixedFileInfoSignature = 0xFEEF04BDu;

struct Section {
  uint64_t virtualAddress, rawSize, rawOffset;
};

// The file offset of an address in the loaded image, if the file holds it.
std::optional<uint64_t> fileOffset(const Bytes& file, uint64_t sectionTable, uint32_t sectionCount, uint64_t rva,
                                   uint64_t width) {
  for (uint32_t i = 0; i < sectionCount; ++i) {
    const uint64_t header = sectionTable + uint64_t(i) * 40;
    auto va = file.read(header + 12, 4), rawSize = file.read(header + 16, 4), rawOffset = file.read(header + 20, 4);
    if (!va || !rawSize || !rawOffset) return std::nullopt;
    if (rva >= *va && rva - *va + width <= *rawSize) return *rawOffset + (rva - *va);
  }
  return std::nullopt;
}

// The entry of a resource directory with the given id, or with any id when
// `id` is empty; its OffsetToData field.
std::optional<uint32_t> directoryEntry(const Bytes& file, uint64_t directory, std::optional<uint32_t> id) {
  auto named = file.read(directory + 12, 2), ids = file.read(directory + 14, 2);
  if (!named || !ids) return std::nullopt;
  for (uint32_t i = 0; i < *named + *ids; ++i) {
    const uint64_t entry = directory + 16 + uint64_t(i) * 8;
    auto name = file.read(entry, 4), target = file.read(entry + 4, 4);
    if (!name || !target) return std::nullopt;
    if (!id || (!(*name & kSubdirectoryBit) && *name == *id)) return *target;
  }
  return std::nullopt;
}

}  // namespace

bool parseFileVersion(std::string_view text, FileVersion& version) {
  size_t part = 0, digits = 0;
  uint32_t value = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == '.') {
      if (digits == 0 || part == 4) return false;
      version.parts[part++] = uint16_t(value);
      value = 0;
      digits = 0;
    } else if (text[i] >= '0' && text[i] <= '9' && digits < 5) {
      value = value * 10 + uint32_t(text[i] - '0');
      if (value > 0xFFFF) return false;
      ++digits;
    } else {
      return false;
    }
  }
  return part == 4;
}

std::string fileVersionText(const FileVersion& version) {
  const auto& p = version.parts;
  return std::to_string(p[0]) + "." + std::to_string(p[1]) + "." + std::to_string(p[2]) + "." + std::to_string(p[3]);
}

bool readFileVersion(std::string_view executable, FileVersion& version) {
  const Bytes file(executable);
  auto pe = file.read(0x3C, 4);
  if (executable.substr(0, 2) != "MZ" || !pe || !file.has(*pe, 24) ||
      executable.substr(*pe, 4) != std::string_view("PE\0\0", 4))
    return false;
  auto sectionCount = file.read(*pe + 6, 2), optionalSize = file.read(*pe + 20, 2);
  const uint64_t optional = uint64_t(*pe) + 24;
  auto magic = file.read(optional, 2);
  if (!sectionCount || !optionalSize || !magic) return false;
  // PE32 and PE32+ differ in where the data directories begin.
  uint64_t countField, directories;
  if (*magic == 0x10B) {
    countField = 92, directories = 96;
  } else if (*magic == 0x20B) {
    countField = 108, directories = 112;
  } else {
    return false;
  }
  auto directoryCount = file.read(optional + countField, 4);
  constexpr uint32_t kResourceDirectory = 2;
  if (!directoryCount || *directoryCount <= kResourceDirectory ||
      directories + (kResourceDirectory + 1) * 8 > *optionalSize)
    return false;
  auto resourceRva = file.read(optional + directories + kResourceDirectory * 8, 4);
  const uint64_t sectionTable = optional + *optionalSize;
  if (!resourceRva || *resourceRva == 0) return false;
  auto resourceRoot = fileOffset(file, sectionTable, *sectionCount, *resourceRva, 16);
  if (!resourceRoot) return false;

  // Three levels: type, name, language. Offsets below the root are relative
  // to it; each level must lead to a subdirectory, the last to a data entry.
  uint64_t directory = *resourceRoot;
  const std::optional<uint32_t> wanted[] = {kVersionResourceType, kVersionResourceName, std::nullopt};
  uint32_t target = 0;
  for (size_t level = 0; level < 3; ++level) {
    auto entry = directoryEntry(file, directory, wanted[level]);
    if (!entry || bool(*entry & kSubdirectoryBit) != (level < 2)) return false;
    target = *entry & ~kSubdirectoryBit;
    directory = *resourceRoot + target;
  }
  auto dataRva = file.read(directory, 4), dataSize = file.read(directory + 4, 4);
  if (!dataRva || !dataSize) return false;

  // VS_VERSIONINFO: three WORDs, the key "VS_VERSION_INFO" in UTF-16 with its
  // terminator, padding to four bytes, then VS_FIXEDFILEINFO.
  constexpr uint64_t kFixedInfoOffset = 40, kFixedInfoSize = 52;
  if (*dataSize < kFixedInfoOffset + kFixedInfoSize) return false;
  auto info = fileOffset(file, sectionTable, *sectionCount, *dataRva, kFixedInfoOffset + kFixedInfoSize);
  if (!info) return false;
  const char16_t key[] = u"VS_VERSION_INFO";
  for (size_t i = 0; i < std::size(key); ++i)
    if (file.read(*info + 6 + 2 * i, 2) != uint32_t(key[i])) return false;
  auto valueLength = file.read(*info + 2, 2);
  auto signature = file.read(*info + kFixedInfoOffset, 4);
  auto high = file.read(*info + kFixedInfoOffset + 8, 4), low = file.read(*info + kFixedInfoOffset + 12, 4);
  if (!valueLength || *valueLength < kFixedInfoSize || signature != kFixedFileInfoSignature || !high || !low)
    return false;
  version.parts = {uint16_t(*high >> 16), uint16_t(*high), uint16_t(*low >> 16), uint16_t(*low)};
  return true;
}

}  // namespace tl::update
