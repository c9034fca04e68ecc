#pragma once
// The first bytes of a file, to tell what it is without reading all of it.
#include <string>

namespace tl::platform {

// Up to `count` bytes from the start of the file named by the GBK path;
// fewer for a shorter file, none when it cannot be read (or is no file).
std::string fileHead(const std::string& path, size_t count);

}  // namespace tl::platform
