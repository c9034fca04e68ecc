#pragma once
// The import: the client grid replaces the client list (cs_client_info) of a
// 汀澜 database in one transaction, then the server's service is restarted
// so that it loads the new list.
#include <optional>
#include <string>

#include "import/import_context.h"

namespace tl {

struct ImportOptions {
  // A database to open directly (no prompt, no dialog); located otherwise.
  std::optional<std::string> databasePath;
  bool restartService = true;
};

enum class ImportOutcome {
  NothingToImport,     // the grid is empty: nothing was opened
  NoDatabaseChosen,    // the operator cancelled the file dialog
  DatabaseOpenFailed,  // type field "数据库打开失败"
  WriteFailed,         // rolled back: the table holds what it held before
  Imported,            // committed
  Busy,                // another operation was running
};

struct ImportResult {
  ImportOutcome outcome;
  // Set after a committed import when the restart was attempted.
  std::optional<platform::ServiceRestart> restart;
};

ImportResult importClientList(ImportContext& context, const ImportOptions& options);

// The database's form of an address cell: its IP number text; an empty
// cell stays empty unless `emptyIsZero` (the IP column is always converted).
std::string ipNumberCell(const std::string& dotted, bool emptyIsZero);

}  // namespace tl
