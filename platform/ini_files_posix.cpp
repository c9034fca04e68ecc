#include "platform/ini_files.h"

#include "data/text/gbk_text.h"
#include "platform/file_system.h"

namespace tl::platform {
namespace {

// Provisional reader: one section per "[name]" line, "key=value" lines.
class PosixIniFiles : public IniFiles {
 public:
  std::vector<std::string> sectionNames(const std::string& path) override {
    std::vector<std::string> names;
    std::string bytes;
    if (!readFileBytes(path, bytes)) return names;
    for (const std::string& raw : text::split(bytes, '\n')) {
      std::string line = trim(raw);
      if (line.size() >= 2 && line.front() == '[') {
        size_t close = line.rfind(']');
        if (close != std::string::npos && close > 0) names.push_back(line.substr(1, close - 1));
      }
    }
    return names;
  }

  std::string value(const std::string& path, const std::string& section, const std::string& key,
                    const std::string& fallback) override {
    std::string bytes;
    if (!readFileBytes(path, bytes)) return fallback;
    bool inSection = false;
    for (const std::string& raw : text::split(bytes, '\n')) {
      std::string line = trim(raw);
      if (!line.empty() && line.front() == '[') {
        size_t close = line.rfind(']');
        inSection = close != std::string::npos &&
                    text::toUpperAscii(line.substr(1, close - 1)) == text::toUpperAscii(section);
        continue;
      }
      size_t eq = line.find('=');
      if (inSection && eq != std::string::npos &&
          text::toUpperAscii(trim(line.substr(0, eq))) == text::toUpperAscii(key))
        return trim(line.substr(eq + 1));
    }
    return fallback;
  }

 private:
  static std::string trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    return s.substr(b, e - b);
  }
};

}  // namespace

std::unique_ptr<IniFiles> makeSystemIniFiles() { return std::make_unique<PosixIniFiles>(); }

}  // namespace tl::platform
