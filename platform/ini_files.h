#pragma once
// Windows INI files read as GetPrivateProfileSectionNamesA and
// GetPrivateProfileStringA read them, by our own reader with the same rules
// (see ini_text.h) on every platform: the functions themselves open and
// search the file again on every call, which a list of thousands of clients
// cannot afford.
#include <memory>
#include <string>
#include <vector>

namespace tl::platform {

inline constexpr size_t kSectionNamesBufferSize = 204800;
inline constexpr size_t kValueBufferSize = 10240;

class IniFiles {
 public:
  virtual ~IniFiles() = default;
  // Section names in file order, as far as they fit the 204,800-byte buffer.
  virtual std::vector<std::string> sectionNames(const std::string& path) = 0;
  // The value of `key` in `section` (both matched without regard to ASCII
  // case), or `fallback`; at most 10,239 bytes.
  virtual std::string value(const std::string& path, const std::string& section, const std::string& key,
                            const std::string& fallback) = 0;
};

std::unique_ptr<IniFiles> makeSystemIniFiles();

}  // namespace tl::platform
