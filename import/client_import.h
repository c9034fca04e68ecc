#pragma once
// The import: the client grid is checked, then replaces the client list
// (cs_client_info) of a 汀澜 database in one transaction after a copy of the
// old list is kept, then the server's service is restarted so that it loads
// the new list.
#include <optional>
#include <string>
#include <vector>

#include "import/change_summary.h"
#include "import/import_check.h"
#include "import/import_context.h"

namespace tl {

struct ImportOptions {
  // A database to open directly (no prompt, no dialog); located otherwise.
  std::optional<std::string> databasePath;
  bool restartService = true;
  // A copy of the old table in "导入前备份" before it is replaced.
  bool keepBackup = true;
};

enum class ImportOutcome {
  NothingToImport,     // the grid is empty: nothing was opened
  CheckDeclined,       // the operator cancelled the question about the list's problems
  NoDatabaseChosen,    // the operator cancelled the file dialog
  DatabaseOpenFailed,  // type field "数据库打开失败"
  CopyUnreadable,      // restore: the copy is no 汀澜 list
  BackupFailed,        // the old list could not be copied: nothing imported
  WriteFailed,         // rolled back: the table holds what it held before
  Imported,            // committed
  Busy,                // another operation was running
};

struct ImportResult {
  ImportOutcome outcome;
  // Set after a committed import when the restart was attempted.
  std::optional<platform::ServiceRestart> restart;
  std::vector<ImportProblem> problems{};   // what the check found
  std::optional<ChangeSummary> summary{};  // after a committed import
  std::string backupPath{};                // the copy of the old list, when kept
};

ImportResult importClientList(ImportContext& context, const ImportOptions& options);

// --dry-run: the check and what the import would change, read from the
// target opened read-only; nothing is written.
struct ImportPreview {
  ImportOutcome outcome;  // Imported: the summary was read
  std::vector<ImportProblem> problems{};
  ChangeSummary summary{};
  std::string reason{};  // why the target could not be read, GBK
};

ImportPreview previewImport(ImportContext& context, const ImportOptions& options);

}  // namespace tl
