#pragma once
// Whether two paths name one file: the same file may be spelt differently
// ("./a.db", "dir/../a.db", a link, another case on Windows).
#include <string>

namespace tl::platform {

// True when both GBK paths name the same existing file; false when either
// does not exist.
bool sameFile(const std::string& a, const std::string& b);

}  // namespace tl::platform
