#include "readers/ini_value.h"

#include <string_view>

namespace tl {
namespace {

std::string skipLeadingControls(const std::string& s) {
  size_t start = 0;
  while (start < s.size() && static_cast<unsigned char>(s[start]) <= 32) ++start;
  return s.substr(start);
}

}  // namespace

std::string readIniValue(platform::IniFiles& ini, const std::string& path, const std::string& section,
                         const std::string& key, const std::string& fallback) {
  std::string file = skipLeadingControls(path), name = skipLeadingControls(section), entry = skipLeadingControls(key);
  if (file.empty() || name.empty() || entry.empty()) return {};
  return ini.value(file, name, entry, fallback);
}

}  // namespace tl
