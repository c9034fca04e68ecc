#pragma once
// The copy of cs_client_info that an import or a restore keeps before it
// replaces the rows: a small SQLite file (the table's schema as stored and
// every row) in the folder "导入前备份" beside the database, named by date and
// time. The copy is itself a 汀澜 list: it opens in the window and restores.
#include <string>

#include "platform/local_clock.h"

struct sqlite3;

namespace tl {

inline constexpr int kBackupsKept = 30;

struct BackupResult {
  bool saved = false;
  std::string path;    // the copy, GBK
  std::string reason;  // why it could not be written, GBK
};

// "导入前备份" beside the database file at `databasePath`.
std::string backupFolder(const std::string& databasePath);

// Copies the table of `target` (open, inside the caller's write transaction,
// so the copy holds exactly the rows that are about to be replaced). The copy
// is written under a temporary name and renamed once complete, so a copy that
// carries the final name is always whole. Keeps the newest kBackupsKept.
BackupResult saveClientTable(sqlite3* target, const platform::LocalDateTime& now);

// The database file a connection has open, GBK ("" for none).
std::string databaseFilePath(sqlite3* db);

}  // namespace tl
