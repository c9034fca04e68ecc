#pragma once
#include <memory>

#include "update/update_check.h"

namespace tl::platform {

// Windows: the version API, WinINet and CreateProcess. Elsewhere the
// program has no version resource, so the check never asks the server.
std::unique_ptr<update::UpdateEnvironment> makeSystemUpdateEnvironment();

}  // namespace tl::platform
