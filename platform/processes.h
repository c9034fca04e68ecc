#pragma once
// The running processes, as far as the tool needs them: finding the 汀澜
// server by its executable name and the full path of that executable.
#include <cstdint>
#include <memory>
#include <string>

namespace tl::platform {

class Processes {
 public:
  virtual ~Processes() = default;
  // The id of the first running process whose executable file name equals
  // `executableName`, ASCII letters compared without regard to case; 0 when
  // none.
  virtual uint32_t findProcess(const std::string& executableName) = 0;
  // The full path of the process's executable (GBK); process id 0 gives the
  // tool's own executable. The empty text when it cannot be had.
  virtual std::string executablePath(uint32_t processId) = 0;
};

std::unique_ptr<Processes> makeSystemProcesses();

// Windows module paths of system processes come in kernel forms: a leading
// "\SystemRoot" stands for the Windows directory (`systemRoot`, the
// SystemRoot environment value) and a leading "\??\" is the prefix of a plain
// DOS path. Any other path is returned unchanged.
std::string normalizeModulePath(const std::string& path, const std::string& systemRoot);

}  // namespace tl::platform
