#pragma once
// Putting back a copy that an import kept: its rows replace those of
// cs_client_info exactly, every column, in one transaction, after a copy of
// what they replace is kept in turn; then the service restarts as after an
// import.
#include <string>

#include "import/client_import.h"

namespace tl {

// `options.databasePath` as for the import; the copy is a file named by GBK.
ImportResult restoreClientList(ImportContext& context, const ImportOptions& options, const std::string& copyPath);

}  // namespace tl
