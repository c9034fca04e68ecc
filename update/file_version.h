#pragma once
// The four numbers of a program's file version, read from the version
// resource inside the file's bytes, so that a downloaded program can be
// judged before it is ever started.
#include <array>
#include <compare>
#include <cstdint>
#include <string>
#include <string_view>

namespace tl::update {

struct FileVersion {
  std::array<uint16_t, 4> parts{};
  auto operator<=>(const FileVersion&) const = default;  // 1.2.10.0 is newer than 1.2.9.0
};

// "1.2.4.0": exactly four decimal numbers of at most 65535, dot-separated.
bool parseFileVersion(std::string_view text, FileVersion& version);
std::string fileVersionText(const FileVersion& version);

// The FILEVERSION of the VS_VERSION_INFO resource (type 16, name 1, first
// language) of a Windows executable's bytes. False when there is none or
// any offset on the way points outside the bytes.
bool readFileVersion(std::string_view executable, FileVersion& version);

}  // namespace tl::update
