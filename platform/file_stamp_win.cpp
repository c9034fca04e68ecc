#include "platform/file_stamp.h"

#include <windows.h>

#include <algorithm>

#include "platform/wide_text_win.h"

namespace tl::platform {
namespace {

constexpr int64_t kRacySteps = 500'000;  // 50 ms in FILETIME's 100 ns steps

int64_t steps(const FILETIME& t) { return int64_t(uint64_t(t.dwHighDateTime) << 32 | t.dwLowDateTime); }

}  // namespace

// One query by path: the reader asks before every value, and opening the
// file for each of them is what makes the profile functions slow. A file
// replaced by another shows in its creation time.
std::optional<FileStamp> fileStamp(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(gbkToWide(path).c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return std::nullopt;
  return FileStamp{0, uint64_t(steps(data.ftCreationTime)),
                   int64_t(uint64_t(data.nFileSizeHigh) << 32 | data.nFileSizeLow), steps(data.ftLastWriteTime),
                   0};
}

bool stampIsRacy(const FileStamp& stamp) {
  FILETIME now{};
  GetSystemTimePreciseAsFileTime(&now);
  return steps(now) - std::max(stamp.modified, stamp.changed) < kRacySteps;
}

}  // namespace tl::platform
