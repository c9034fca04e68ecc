#pragma once
#include <string>

namespace tl::platform {

// The current user's desktop folder as a GBK path without a trailing
// separator, or the empty text. Windows: the desktop directory of the shell;
// elsewhere $XDG_DESKTOP_DIR, else ~/Desktop when it exists, else the home
// directory, else (no HOME) the current directory.
std::string desktopDirectory();

}  // namespace tl::platform
