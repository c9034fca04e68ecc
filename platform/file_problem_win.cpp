#include "platform/file_problem.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "platform/wide_text_win.h"

namespace tl::platform {

// The C runtime's texts, as on other systems ("No such file or directory").
std::string fileReadProblem(const std::string& gbkPath) {
  const std::wstring path = gbkToWide(gbkPath);
  struct _stat64 st {};
  if (_wstat64(path.c_str(), &st) != 0) return std::strerror(errno);
  if (st.st_mode & _S_IFDIR) return std::strerror(EISDIR);
  if (!(st.st_mode & _S_IFREG)) return "Is a device, not a file";
  int fd = _wopen(path.c_str(), _O_RDONLY | _O_BINARY);
  if (fd < 0) return std::strerror(errno);
  _close(fd);
  return {};
}

}  // namespace tl::platform
