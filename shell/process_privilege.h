#pragma once

namespace tl::shell {

// Enables "SeDebugPrivilege" for the own process on the NT family; every
// failure (no administrator rights) is ignored and the tool works on
// without it.
void enableDebugPrivilege();

}  // namespace tl::shell
