#include "import/client_restore.h"

#include <sqlite3.h>

#include "import/sqlite_query.h"
#include "import/table_replacement.h"
#include "import/target_database.h"

namespace tl {
namespace {

// "insert into cs_client_info ("a","b") values(?,?)" for the copy's columns,
// so that a table whose columns stand in another order takes them by name.
std::string insertByName(SqliteQuery& rows) {
  std::string names, marks;
  for (int c = 0; c < rows.columnCount(); ++c) {
    std::string name = sqlite3_column_name(rows.get(), c);
    std::string quoted = "\"";
    for (char ch : name) quoted += ch == '"' ? std::string("\"\"") : std::string(1, ch);
    names += (c ? "," : "") + quoted + "\"";
    marks += c ? ",?" : "?";
  }
  return "insert into cs_client_info (" + names + ") values(" + marks + ")";
}

bool copyRowsBack(sqlite3* copy, sqlite3* target) {
  SqliteQuery rows(copy, "select * from cs_client_info");
  if (!rows.prepared()) return false;
  SqliteQuery add(target, insertByName(rows));
  if (!add.prepared()) return false;
  while (rows.next()) {
    for (int c = 0; c < rows.columnCount(); ++c) sqlite3_bind_value(add.get(), c + 1, sqlite3_column_value(rows.get(), c));
    if (!add.run()) return false;
    add.reset();
  }
  return !rows.failed();
}

}  // namespace

ImportResult restoreClientList(ImportContext& context, const ImportOptions& options, const std::string& copyPath) {
  ReadOnlyDatabase copy;
  std::vector<StoredClient> after;
  std::string reason;
  if (!copy.open(copyPath) || !readStoredClients(copy.get(), after, reason)) {
    context.ui.showMessage("无法读取原客户机列表 " + copyPath, "提示", MessageIcon::Error);
    return {ImportOutcome::CopyUnreadable, std::nullopt};
  }
  BusyTimeoutScope wait(context.connection, kTargetBusyTimeoutMs);
  TargetOpen opened = options.databasePath ? openTargetDatabase(context, *options.databasePath)
                                           : locateAndOpenTargetDatabase(context);
  if (opened == TargetOpen::NotChosen) return {ImportOutcome::NoDatabaseChosen, std::nullopt};
  if (opened == TargetOpen::OpenFailed) return {ImportOutcome::DatabaseOpenFailed, std::nullopt};
  return replaceClientTable(context, options, std::move(after), [&context, &copy](const std::vector<StoredClient>&) {
    return copyRowsBack(copy.get(), context.connection.handle());
  });
}

}  // namespace tl
