// Our INI reader over arbitrary bytes: every section listed and looked up,
// with queries taken from the input too. Checks survival and the buffer
// limits, and that several keys asked at once give what each gives alone.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ini_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  tl::platform::IniText ini{std::string(bytes)};

  for (size_t bufferSize : {size_t(0), size_t(1), size_t(2), size_t(7), size_t(64), size_t(204800)}) {
    size_t used = 1;  // the closing NUL
    for (const std::string& name : ini.sectionNames(bufferSize)) {
      if (name.empty() || name.find('\0') != std::string::npos) std::abort();
      used += name.size() + 1;
    }
    if (bufferSize >= 2 && used > bufferSize) std::abort();
  }

  // Queries: the listed sections, and pieces of the input itself.
  std::string_view firstLine = bytes.substr(0, bytes.find('\n'));
  std::string_view query = firstLine.substr(0, 16), key = firstLine.substr(firstLine.size() / 2);
  for (const std::string& section : ini.sectionNames(204800)) {
    for (std::string_view k : {std::string_view("mac"), std::string_view("WksName"), key}) {
      for (size_t bufferSize : {size_t(0), size_t(1), size_t(3), size_t(10240)}) {
        std::string value = ini.value(section, k, "未知", bufferSize);
        if (bufferSize > 0 && value.size() > bufferSize - 1) std::abort();
        if (bufferSize == 0 && !value.empty()) std::abort();
      }
    }
    const std::vector<std::string> keys = {"mac", "WksName", std::string(key)};
    std::vector<std::string> together(keys.size());
    std::string* const into[] = {&together[0], &together[1], &together[2]};
    ini.values(section, keys, "未知", 10240, into);
    for (size_t k = 0; k < keys.size(); ++k)
      if (together[k] != ini.value(section, keys[k], "未知", 10240)) std::abort();
  }
  ini.value(query, key, "", 10240);
  ini.value("", "", "default", 10240);
  return 0;
}
