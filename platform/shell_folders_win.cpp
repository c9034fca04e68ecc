#include "platform/shell_folders.h"

#include <windows.h>
#include <shlobj.h>

#include "platform/wide_text_win.h"

namespace tl::platform {

std::string desktopDirectory() {
  wchar_t path[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathW(nullptr, path, CSIDL_DESKTOPDIRECTORY, FALSE)) return {};
  return wideToGbk(path);
}

}  // namespace tl::platform
