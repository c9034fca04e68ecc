#include "platform/shell_folders.h"

#include <unistd.h>

#include <cstdlib>

#include "platform/file_system.h"
#include "platform/text_codec.h"

namespace tl::platform {
namespace {

// Without a home there is no desktop: the current directory, where a user
// who runs the command expects its output, rather than "/" (what the empty
// folder text would make of the export path).
std::string currentDirectory() {
  char buffer[4096];
  if (::getcwd(buffer, sizeof buffer)) return utf8ToGbk(buffer);
  return ".";
}

}  // namespace

std::string desktopDirectory() {
  if (const char* xdg = std::getenv("XDG_DESKTOP_DIR"); xdg && *xdg) return utf8ToGbk(xdg);
  const char* home = std::getenv("HOME");
  if (!home || !*home) return currentDirectory();
  std::string homeDir = utf8ToGbk(home);
  std::string desktop = homeDir + "/Desktop";
  return isDirectory(desktop) ? desktop : homeDir;
}

}  // namespace tl::platform
