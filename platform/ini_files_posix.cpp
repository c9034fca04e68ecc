#include <sys/stat.h>
#include <time.h>

#include <algorithm>
#include <optional>

#include "platform/file_system.h"
#include "platform/ini_files.h"
#include "platform/ini_text.h"
#include "platform/text_codec.h"

namespace tl::platform {
namespace {

// What tells one version of a file from the next.
struct FileStamp {
  dev_t device;
  ino_t inode;
  off_t size;
  timespec modified;
  timespec changed;

  bool operator==(const FileStamp& o) const {
    return device == o.device && inode == o.inode && size == o.size && modified.tv_sec == o.modified.tv_sec &&
           modified.tv_nsec == o.modified.tv_nsec && changed.tv_sec == o.changed.tv_sec &&
           changed.tv_nsec == o.changed.tv_nsec;
  }
};

// File times advance in coarse steps (a few milliseconds), so a file
// rewritten within one step keeps its stamp. A file modified that recently
// is compared by content until it has aged (the trick git uses for its
// "racy" index entries).
constexpr long long kRacyNanoseconds = 50'000'000;

long long nanoseconds(const timespec& t) { return (long long)t.tv_sec * 1'000'000'000 + t.tv_nsec; }

bool isRacy(const FileStamp& stamp) {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  long long newest = std::max(nanoseconds(stamp.modified), nanoseconds(stamp.changed));
  return nanoseconds(now) - newest < kRacyNanoseconds;
}

std::optional<FileStamp> stampOf(const std::string& nativePath) {
  struct stat st {};
  if (::stat(nativePath.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return FileStamp{st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
}

// A reader asks for every key of every section, one call each, as it would
// of Windows; like Windows, we keep the last file parsed and parse it again
// only when the file changed. The cache belongs to this object, which the
// application owns.
class PosixIniFiles : public IniFiles {
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

 private:
  // The parsed file, or nullptr when it cannot be read (then every value is
  // its default and there are no sections, as with Windows).
  const IniText* load(const std::string& path) {
    // A reader asks about one path many times; convert it once.
    if (path != lastPath_) {
      lastPath_ = path;
      lastNativePath_ = gbkToUtf8(path);
    }
    std::optional<FileStamp> stamp = stampOf(lastNativePath_);
    if (!stamp) {
      cached_.reset();
      return nullptr;
    }
    if (cached_ && cachedPath_ == path && cachedStamp_ == *stamp) {
      if (!racy_) return &*cached_;
      std::string bytes;
      if (readFileBytes(path, bytes) && bytes == cachedBytes_) {
        racy_ = isRacy(*stamp);
        if (!racy_) cachedBytes_ = std::string();
        return &*cached_;
      }
    }
    cached_.reset();
    std::string bytes;
    if (!readFileBytes(path, bytes)) return nullptr;
    racy_ = isRacy(*stamp);
    cachedBytes_ = racy_ ? bytes : std::string();
    cached_.emplace(std::move(bytes));
    cachedPath_ = path;
    cachedStamp_ = *stamp;
    return &*cached_;
  }

  std::string lastPath_, lastNativePath_;
  std::optional<IniText> cached_;
  std::string cachedPath_;
  FileStamp cachedStamp_{};
  bool racy_ = false;
  std::string cachedBytes_;  // kept while racy_
};

}  // namespace

std::unique_ptr<IniFiles> makeSystemIniFiles() { return std::make_unique<PosixIniFiles>(); }

}  // namespace tl::platform
