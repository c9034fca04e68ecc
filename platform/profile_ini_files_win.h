#pragma once
// The Windows profile functions themselves (GetPrivateProfileSectionNamesA,
// GetPrivateProfileStringA) behind the IniFiles interface. The program reads
// with our own reader (makeSystemIniFiles); the tests hold that reader to
// these functions' rules under Wine.
#include <memory>

#include "platform/ini_files.h"

namespace tl::platform {

std::unique_ptr<IniFiles> makeProfileIniFiles();

}  // namespace tl::platform
