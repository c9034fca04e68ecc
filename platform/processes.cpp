#include "platform/processes.h"

#include <string_view>

namespace tl::platform {

std::string normalizeModulePath(const std::string& path, const std::string& systemRoot) {
  constexpr std::string_view kSystemRoot = "\\SystemRoot";
  constexpr std::string_view kDosPrefix = "\\??\\";
  if (path.starts_with(kSystemRoot)) return systemRoot + path.substr(kSystemRoot.size());
  if (path.starts_with(kDosPrefix)) return path.substr(kDosPrefix.size());
  return path;
}

}  // namespace tl::platform
