#include "platform/file_stamp.h"

#include <sys/stat.h>
#include <time.h>

#include <algorithm>

#include "platform/text_codec.h"

namespace tl::platform {
namespace {

constexpr int64_t kRacyNanoseconds = 50'000'000;

int64_t nanoseconds(const timespec& t) { return int64_t(t.tv_sec) * 1'000'000'000 + t.tv_nsec; }

}  // namespace

std::optional<FileStamp> fileStamp(const std::string& path) {
  struct stat st {};
  if (::stat(gbkToUtf8(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return FileStamp{uint64_t(st.st_dev), uint64_t(st.st_ino), int64_t(st.st_size), nanoseconds(st.st_mtim),
                   nanoseconds(st.st_ctim)};
}

bool stampIsRacy(const FileStamp& stamp) {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return nanoseconds(now) - std::max(stamp.modified, stamp.changed) < kRacyNanoseconds;
}

}  // namespace tl::platform
