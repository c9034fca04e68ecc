#include "platform/processes.h"

#include <dirent.h>
#include <unistd.h>

#include <cstdlib>
#include <string_view>

#include "data/text/gbk_text.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"

namespace tl::platform {
namespace {

// The target of /proc/<pid>/exe as UTF-8, or the empty text (another user's
// process, a kernel thread, a process that has just ended).
std::string linkTarget(const std::string& link) {
  char buffer[4096];
  ssize_t n = ::readlink(link.c_str(), buffer, sizeof buffer - 1);
  if (n <= 0) return {};
  std::string target(buffer, size_t(n));
  // A replaced executable reads "<path> (deleted)"; the process still runs it.
  constexpr std::string_view kDeleted = " (deleted)";
  if (target.ends_with(kDeleted)) target.resize(target.size() - kDeleted.size());
  return target;
}

std::string fileNameOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

class ProcFsProcesses : public Processes {
 public:
  uint32_t findProcess(const std::string& executableName) override {
    const std::string wanted = text::toLowerAscii(utf8Name(executableName));
    DIR* proc = ::opendir("/proc");
    if (!proc) return 0;
    uint32_t found = 0;
    while (dirent* entry = ::readdir(proc)) {
      char* end = nullptr;
      unsigned long pid = std::strtoul(entry->d_name, &end, 10);
      if (pid == 0 || *end != '\0') continue;
      std::string exe = linkTarget("/proc/" + std::string(entry->d_name) + "/exe");
      if (!exe.empty() && text::toLowerAscii(fileNameOf(exe)) == wanted) {
        found = uint32_t(pid);
        break;
      }
    }
    ::closedir(proc);
    return found;
  }

  std::string executablePath(uint32_t processId) override {
    if (processId == 0) return programPath();
    std::string exe = linkTarget("/proc/" + std::to_string(processId) + "/exe");
    return exe.empty() ? exe : utf8ToGbk(exe);
  }

 private:
  // File names on this side are UTF-8; ASCII folding works on both encodings.
  static std::string utf8Name(const std::string& gbk) { return gbkToUtf8(gbk); }
};

}  // namespace

std::unique_ptr<Processes> makeSystemProcesses() { return std::make_unique<ProcFsProcesses>(); }

}  // namespace tl::platform
