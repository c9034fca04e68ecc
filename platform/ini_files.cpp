#include "platform/ini_files.h"

#include <optional>

#include "platform/file_stamp.h"
#include "platform/file_system.h"
#include "platform/ini_head.h"
#include "platform/ini_text.h"

namespace tl::platform {

void IniFiles::values(const std::string& path, const std::string& section, const std::vector<std::string>& keys,
                      const std::string& fallback, std::span<std::string* const> out) {
  for (size_t k = 0; k < keys.size() && k < out.size(); ++k) *out[k] = value(path, section, keys[k], fallback);
}

std::optional<IniFiles::FirstSection> IniFiles::firstSection(const std::string& path,
                                                              const std::vector<std::string>& keys,
                                                              const std::string& fallback) {
  std::vector<std::string> names = sectionNames(path);
  if (names.empty()) return std::nullopt;
  FirstSection first{names.front(), {}};
  for (const std::string& key : keys) first.values.push_back(value(path, first.name, key, fallback));
  return first;
}

namespace {

// A reader asks for every key of every section, one call each, as it would
// of Windows; we keep the last file parsed and parse it again only when the
// file changed. A file modified too recently for its stamp to be trusted is
// compared by content until it has aged. The cache belongs to this object,
// which the application owns. Inside a read scope the file is checked once
// and then trusted until the scope ends.
class CachedIniFiles : public IniFiles {
 public:
  std::vector<std::string> sectionNames(const std::string& path) override {
    const IniText* ini = load(path);
    return ini ? ini->sectionNames(kSectionNamesBufferSize) : std::vector<std::string>();
  }

  std::string value(const std::string& path, const std::string& section, const std::string& key,
                    const std::string& fallback) override {
    const IniText* ini = load(path);
    if (!ini) return IniText(std::string()).value(section, key, fallback, kValueBufferSize);
    return ini->value(section, key, fallback, kValueBufferSize);
  }

  void values(const std::string& path, const std::string& section, const std::vector<std::string>& keys,
              const std::string& fallback, std::span<std::string* const> out) override {
    const IniText* ini = load(path);
    if (!ini) return IniFiles::values(path, section, keys, fallback, out);
    ini->values(section, keys, fallback, kValueBufferSize, out);
  }

  // Parses only the first named section unless the file is parsed already.
  // A name cut to the buffer may name a later section too: then the whole
  // file answers.
  std::optional<FirstSection> firstSection(const std::string& path, const std::vector<std::string>& keys,
                                           const std::string& fallback) override {
    std::string head;
    if ((cached_ && cachedPath_ == path) || !readIniFirstSection(path, head))
      return IniFiles::firstSection(path, keys, fallback);
    IniText ini(std::move(head));
    std::vector<std::string> names = ini.sectionNames(kSectionNamesBufferSize);
    if (names.empty()) return std::nullopt;
    if (names.front().size() + 3 >= kSectionNamesBufferSize) return IniFiles::firstSection(path, keys, fallback);
    FirstSection first{names.front(), {}};
    for (const std::string& key : keys) first.values.push_back(ini.value(first.name, key, fallback, kValueBufferSize));
    return first;
  }

 private:
  void beginRead() override { ++scopeDepth_; }
  void endRead() override {
    if (--scopeDepth_ == 0) trusted_ = false;
  }

  // The parsed file, or nullptr when it cannot be read (then every value is
  // its default and there are no sections, as with Windows).
  const IniText* load(const std::string& path) {
    if (trusted_ && cached_ && cachedPath_ == path) return &*cached_;
    const IniText* ini = loadChecked(path);
    trusted_ = ini && scopeDepth_ > 0;
    return ini;
  }

  const IniText* loadChecked(const std::string& path) {
    std::optional<FileStamp> stamp = fileStamp(path);
    if (!stamp) {
      cached_.reset();
      return nullptr;
    }
    if (cached_ && cachedPath_ == path && cachedStamp_ == *stamp) {
      if (!racy_) return &*cached_;
      std::string bytes;
      if (readFileBytes(path, bytes) && bytes == cachedBytes_) {
        racy_ = stampIsRacy(*stamp);
        if (!racy_) cachedBytes_ = std::string();
        return &*cached_;
      }
    }
    cached_.reset();
    std::string bytes;
    if (!readFileBytes(path, bytes)) return nullptr;
    racy_ = stampIsRacy(*stamp);
    cachedBytes_ = racy_ ? bytes : std::string();
    cached_.emplace(std::move(bytes));
    cachedPath_ = path;
    cachedStamp_ = *stamp;
    return &*cached_;
  }

  std::optional<IniText> cached_;
  std::string cachedPath_;
  FileStamp cachedStamp_{};
  bool racy_ = false;
  std::string cachedBytes_;  // kept while racy_
  int scopeDepth_ = 0;
  bool trusted_ = false;  // cached_ was checked in the current read scope
};

}  // namespace

std::unique_ptr<IniFiles> makeIniTextFiles() { return std::make_unique<CachedIniFiles>(); }

}  // namespace tl::platform
