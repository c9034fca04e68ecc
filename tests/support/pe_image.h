#pragma once
// Small but whole Windows executables made in memory, so that the update
// tests need no real program file.
#include <string>

#include "update/file_version.h"

namespace tl::test {

// A PE32+ image with one section, ".rsrc", holding a VS_VERSION_INFO
// resource with the given FILEVERSION. `filler` goes into the section's
// padding, so that two images of one version can differ.
std::string executableWithVersion(const update::FileVersion& version, char filler = '\0');

// Where the resource section's padding starts in such an image: a byte
// changed from here on leaves the executable whole and its version as it was.
constexpr size_t kPaddingOffset = 0x300;

}  // namespace tl::test
