#include "platform/directories.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform/text_codec.h"

namespace tl::platform {

bool createDirectory(const std::string& path) {
  std::string native = gbkToUtf8(path);
  if (::mkdir(native.c_str(), 0777) == 0) return true;
  struct stat st {};
  return errno == EEXIST && ::stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::vector<std::string> listFileNames(const std::string& path) {
  std::vector<std::string> names;
  std::string native = gbkToUtf8(path);
  DIR* dir = ::opendir(native.c_str());
  if (!dir) return names;
  while (dirent* entry = ::readdir(dir)) {
    struct stat st {};
    std::string full = native + "/" + entry->d_name;
    if (::stat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode)) names.push_back(utf8ToGbk(entry->d_name));
  }
  ::closedir(dir);
  return names;
}

}  // namespace tl::platform
