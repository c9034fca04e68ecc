#include "platform/ini_files.h"

#include <windows.h>

#include <algorithm>

#include "data/text/gbk_text.h"

namespace tl::platform {
namespace {

// The profile functions look for a path that is not a full path in the
// Windows folder, so "WKS.INI" given on tlconv's command line would be
// another file (or none); the current folder is what the operator means.
std::string fullPath(const std::string& path) {
  if (path.empty()) return path;
  DWORD n = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
  if (n == 0) return path;
  std::string full(n, '\0');
  n = GetFullPathNameA(path.c_str(), n, full.data(), nullptr);
  if (n == 0 || n >= full.size()) return path;
  full.resize(n);
  return full;
}

// The ANSI profile functions read the file in the system's code page, which
// on the operators' machines is GBK (936). Each call opens the file again
// and searches it from the start.
class ProfileIniFiles : public IniFiles {
 public:
  std::vector<std::string> sectionNames(const std::string& path) override {
    std::string buffer(kSectionNamesBufferSize, '\0');
    DWORD n = GetPrivateProfileSectionNamesA(buffer.data(), DWORD(buffer.size()), fullPath(path).c_str());
    std::vector<std::string> names;
    for (size_t i = 0; i < n && buffer[i] != '\0';) {
      size_t end = buffer.find('\0', i);
      if (end == std::string::npos || end > n) end = n;
      names.push_back(buffer.substr(i, end - i));
      i = end + 1;
    }
    return names;
  }

  std::string value(const std::string& path, const std::string& section, const std::string& key,
                    const std::string& fallback) override {
    std::string buffer(kValueBufferSize, '\0');
    DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buffer.data(),
                                       DWORD(buffer.size()), fullPath(path).c_str());
    // The buffer starts zero-filled: when a long value of double-byte
    // characters is cut, the count can include a byte that was never
    // written, so the value ends at the first NUL.
    buffer.resize(std::min<size_t>(n, buffer.size()));
    buffer.resize(text::untilNul(buffer).size());
    return buffer;
  }
};

}  // namespace

std::unique_ptr<IniFiles> makeSystemIniFiles() { return std::make_unique<ProfileIniFiles>(); }

}  // namespace tl::platform
