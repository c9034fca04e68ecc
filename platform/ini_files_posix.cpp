#include "platform/ini_files.h"

namespace tl::platform {

// No profile functions here: our reader with their rules.
std::unique_ptr<IniFiles> makeSystemIniFiles() { return makeIniTextFiles(); }

}  // namespace tl::platform
