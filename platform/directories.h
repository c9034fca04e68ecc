#pragma once
// Folders named by GBK paths: making one and listing the files in it.
#include <string>
#include <vector>

namespace tl::platform {

// Creates the folder (its parent must exist). True when it exists afterwards.
bool createDirectory(const std::string& path);

// The names (not paths) of the plain files directly in the folder, GBK; empty
// when it cannot be read.
std::vector<std::string> listFileNames(const std::string& path);

}  // namespace tl::platform
