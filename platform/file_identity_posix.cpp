#include "platform/file_identity.h"

#include <sys/stat.h>

#include "platform/text_codec.h"

namespace tl::platform {

bool sameFile(const std::string& a, const std::string& b) {
  struct stat first {}, second {};
  if (::stat(gbkToUtf8(a).c_str(), &first) != 0 || ::stat(gbkToUtf8(b).c_str(), &second) != 0) return false;
  return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

}  // namespace tl::platform
