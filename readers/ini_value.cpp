#include "readers/ini_value.h"

#include <string_view>

namespace tl {
namespace {

size_t leadingControls(const std::string& s) {
  size_t start = 0;
  while (start < s.size() && static_cast<unsigned char>(s[start]) <= 32) ++start;
  return start;
}

}  // namespace

std::string readIniValue(platform::IniFiles& ini, const std::string& path, const std::string& section,
                         const std::string& key, const std::string& fallback) {
  size_t file = leadingControls(path), name = leadingControls(section), entry = leadingControls(key);
  if (file == path.size() || name == section.size() || entry == key.size()) return {};
  // The usual texts start with a visible character and are passed as they are.
  if (file == 0 && name == 0 && entry == 0) return ini.value(path, section, key, fallback);
  return ini.value(path.substr(file), section.substr(name), key.substr(entry), fallback);
}

void readIniValues(platform::IniFiles& ini, const std::string& path, const std::string& section,
                   const std::vector<std::string>& keys, const std::string& fallback, std::span<std::string* const> out) {
  size_t file = leadingControls(path), name = leadingControls(section);
  if (file == path.size() || name == section.size()) {
    for (size_t k = 0; k < keys.size() && k < out.size(); ++k) out[k]->clear();
    return;
  }
  if (file == 0 && name == 0) return ini.values(path, section, keys, fallback, out);
  ini.values(path.substr(file), section.substr(name), keys, fallback, out);
}

}  // namespace tl
