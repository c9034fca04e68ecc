#include "platform/file_head.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/text_codec.h"

namespace tl::platform {

std::string fileHead(const std::string& path, size_t count) {
  // Non-blocking: a FIFO given as the path must not hang the caller.
  int fd = ::open(gbkToUtf8(path).c_str(), O_RDONLY | O_NONBLOCK);
  if (fd < 0) return {};
  std::string head;
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
    head.resize(count);
    ssize_t got = ::read(fd, head.data(), count);
    head.resize(got > 0 ? size_t(got) : 0);
  }
  ::close(fd);
  return head;
}

}  // namespace tl::platform
