#include "platform/shell_folders.h"

#include <cstdlib>

#include "platform/file_system.h"
#include "platform/text_codec.h"

namespace tl::platform {

std::string desktopDirectory() {
  if (const char* xdg = std::getenv("XDG_DESKTOP_DIR"); xdg && *xdg) return utf8ToGbk(xdg);
  const char* home = std::getenv("HOME");
  if (!home || !*home) return {};
  std::string homeDir = utf8ToGbk(home);
  std::string desktop = homeDir + "/Desktop";
  return isDirectory(desktop) ? desktop : homeDir;
}

}  // namespace tl::platform
