#include "platform/file_problem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/text_codec.h"

namespace tl::platform {

std::string fileReadProblem(const std::string& gbkPath) {
  const std::string path = gbkToUtf8(gbkPath);
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return utf8ToGbk(std::strerror(errno));
  if (S_ISDIR(st.st_mode)) return utf8ToGbk(std::strerror(EISDIR));
  if (S_ISFIFO(st.st_mode)) return "Is a FIFO, not a file";
  if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) return "Is a device, not a file";
  if (!S_ISREG(st.st_mode)) return "Is not a regular file";
  // Non-blocking, so that a file swapped for a FIFO meanwhile cannot hang here.
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
  if (fd < 0) return utf8ToGbk(std::strerror(errno));
  ::close(fd);
  return {};
}

}  // namespace tl::platform
