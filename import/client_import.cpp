#include "import/client_import.h"

#include "data/sqlite/sqlite_statement.h"
#include "import/sqlite_query.h"
#include "import/table_replacement.h"
#include "import/target_database.h"

namespace tl {
namespace {

constexpr const char* kInsertClient =
    "insert into cs_client_info (client_name,client_mac,client_ip,client_mask,client_gate_way,client_dns1,"
    "client_dns2,client_group_name) values(?,?,?,?,?,?,?,?)";

// Every parameter is bound for every row, so the bindings need no clearing.
bool insertClient(SqliteStatement& insert, const StoredClient& client) {
  for (int i = 0; i < int(client.size()); ++i)
    if (!insert.bindBytes(i + 1, client[size_t(i)])) return false;
  return insert.executeKeepingBindings();
}

std::vector<StoredClient> storedClients(const ClientGrid& grid) {
  std::vector<StoredClient> clients;
  const int count = grid.rowCount();  // taken once
  clients.reserve(size_t(count));
  StoredClientMaker stored;
  for (int r = 0; r < count; ++r) clients.push_back(stored(grid.row(r)));
  return clients;
}

// The operator sees the problems before anything is opened; Cancel stops.
bool problemsAccepted(ImportContext& context, const std::vector<ImportProblem>& problems) {
  if (problems.empty()) return true;
  return context.ui.showMessage(importCheckQuestion(problems), "提示", MessageIcon::Question,
                                MessageButtons::OkCancel) == MessageAnswer::Ok;
}

}  // namespace

ImportResult importClientList(ImportContext& context, const ImportOptions& options) {
  if (context.grid.rowCount() == 0) return {ImportOutcome::NothingToImport, std::nullopt};
  ImportResult declined{ImportOutcome::CheckDeclined, std::nullopt};
  declined.problems = checkClientGrid(context.grid);
  if (!problemsAccepted(context, declined.problems)) return declined;

  BusyTimeoutScope wait(context.connection, kTargetBusyTimeoutMs);
  TargetOpen opened = options.databasePath ? openTargetDatabase(context, *options.databasePath)
                                           : locateAndOpenTargetDatabase(context);
  ImportResult result{ImportOutcome::NoDatabaseChosen, std::nullopt};
  if (opened == TargetOpen::OpenFailed) result.outcome = ImportOutcome::DatabaseOpenFailed;
  if (opened == TargetOpen::Opened) {
    result = replaceClientTable(context, options, storedClients(context.grid),
                                [&context](const std::vector<StoredClient>& clients) {
      SqliteStatement insert(context.connection, kInsertClient);
      if (!insert.prepared()) return false;
      for (const StoredClient& client : clients)
        if (!insertClient(insert, client)) return false;
      return true;
    });
  }
  result.problems = std::move(declined.problems);
  return result;
}

ImportPreview previewImport(ImportContext& context, const ImportOptions& options) {
  ImportPreview preview{ImportOutcome::NothingToImport};
  if (context.grid.rowCount() == 0) return preview;
  preview.problems = checkClientGrid(context.grid);
  std::optional<std::string> path = options.databasePath;
  if (!path) path = chooseTargetDatabase(context);
  if (!path) {
    preview.outcome = ImportOutcome::NoDatabaseChosen;
    return preview;
  }
  ReadOnlyDatabase target;
  std::vector<StoredClient> before;
  if (!target.open(*path) || !readStoredClients(target.get(), before, preview.reason)) {
    if (preview.reason.empty()) preview.reason = sqliteReason(target.get());
    context.grid.setStatus(kTypeField, "数据库打开失败");
    preview.outcome = ImportOutcome::DatabaseOpenFailed;
    return preview;
  }
  preview.summary = summarizeChanges(std::move(before), storedClients(context.grid));
  preview.outcome = ImportOutcome::Imported;
  return preview;
}

}  // namespace tl
