#pragma once
// What tells one version of a file from the next, for caches of parsed files.
#include <cstdint>
#include <optional>
#include <string>

namespace tl::platform {

struct FileStamp {
  uint64_t volume = 0;
  uint64_t fileId = 0;  // the inode; on Windows the creation time
  int64_t size = 0;
  // File times in the platform's own units (POSIX: nanoseconds since 1970;
  // Windows: 100-nanosecond steps since 1601, which overflow 64 bits as
  // nanoseconds).
  int64_t modified = 0;
  int64_t changed = 0;

  bool operator==(const FileStamp&) const = default;
};

// The stamp of a regular file (GBK path), or nullopt when there is none.
std::optional<FileStamp> fileStamp(const std::string& path);

// File times advance in coarse steps, so a file rewritten within one step
// keeps its stamp. True while the file was modified too recently for its
// stamp to be trusted (the trick git uses for its "racy" index entries).
bool stampIsRacy(const FileStamp& stamp);

}  // namespace tl::platform
