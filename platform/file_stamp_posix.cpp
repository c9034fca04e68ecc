#include "platform/file_stamp.h"

#include <sys/stat.h>
#include <time.h>

#include <algorithm>

#include "platform/text_codec.h"

namespace tl::platform {
namespace {

constexpr int64_t kRacyNanoseconds = 50'000'000;

int64_t nanoseconds(const timespec& t) { return int64_t(t.tv_sec) * 1'000'000'000 + t.tv_nsec; }

// An INI reader asks about one path before every value; convert it once.
const std::string& nativePath(const std::string& gbkPath) {
  thread_local std::string lastGbk, lastNative;
  if (gbkPath != lastGbk || lastGbk.empty()) {
    lastNative = gbkToUtf8(gbkPath);
    lastGbk = gbkPath;
  }
  return lastNative;
}

}  // namespace

std::optional<FileStamp> fileStamp(const std::string& path) {
  struct stat st {};
  if (::stat(nativePath(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return FileStamp{uint64_t(st.st_dev), uint64_t(st.st_ino), int64_t(st.st_size), nanoseconds(st.st_mtim),
                   nanoseconds(st.st_ctim)};
}

bool stampIsRacy(const FileStamp& stamp) {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return nanoseconds(now) - std::max(stamp.modified, stamp.changed) < kRacyNanoseconds;
}

}  // namespace tl::platform
