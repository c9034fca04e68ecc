#include "import/client_import.h"

#include "data/sqlite/sqlite_statement.h"
#include "data/sqlite/sqlite_transaction.h"
#include "data/text/addresses.h"
#include "data/text/gbk_text.h"
#include "import/target_database.h"

namespace tl {
namespace {

constexpr const char* kServerService = "sentry_bs";

// The 汀澜 server may hold the database for a moment while it writes; wait
// that long for it, then fail with "database is locked" rather than hang.
constexpr int kBusyTimeoutMs = 1000;

constexpr const char* kInsertClient =
    "insert into cs_client_info (client_name,client_mac,client_ip,client_mask,client_gate_way,client_dns1,"
    "client_dns2,client_group_name) values(?,?,?,?,?,?,?,?)";

bool insertRow(SqliteStatement& insert, const ClientRow& row) {
  const std::string values[] = {
      row[kColName],
      text::removeAll(row[kColMac], '-'),
      ipNumberCell(row[kColIp], true),
      ipNumberCell(row[kColMask], false),
      ipNumberCell(row[kColGateway], false),
      ipNumberCell(row[kColDns1], false),
      ipNumberCell(row[kColDns2], false),
      "默认分组",  // GBK bytes, as the server keeps its texts
  };
  for (int i = 0; i < 8; ++i)
    if (!insert.bindBytes(i + 1, values[i])) return false;
  return insert.execute();
}

// Replaces the table's rows by the grid's, all or nothing: any failure rolls
// the DELETE and every INSERT back, so the server never sees a partial list.
bool replaceClientRows(ImportContext& context) {
  ClientGrid& grid = context.grid;
  grid.setStatus(kTypeField, "正在清除汀澜客户机列表");
  SqliteTransaction transaction(context.connection);
  if (!transaction.begun()) return false;
  // A DELETE that fails would leave the old rows beside the new ones.
  if (!context.connection.executeRaw("delete from cs_client_info;")) return false;
  grid.setStatus(kTypeField, "正在导入计算机列表");
  SqliteStatement insert(context.connection, kInsertClient);
  if (!insert.prepared()) return false;
  const int count = grid.rowCount();
  for (int r = 0; r < count; ++r)
    if (!insertRow(insert, grid.row(r))) return false;
  return transaction.commit();
}

// The wait holds for the import's own use of the shared connection only.
class BusyTimeoutScope {
 public:
  BusyTimeoutScope(SqliteConnection& connection, int milliseconds) : connection_(connection) {
    connection_.setBusyTimeout(milliseconds);
  }
  ~BusyTimeoutScope() { connection_.setBusyTimeout(0); }
  BusyTimeoutScope(const BusyTimeoutScope&) = delete;
  BusyTimeoutScope& operator=(const BusyTimeoutScope&) = delete;

 private:
  SqliteConnection& connection_;
};

}  // namespace

std::string ipNumberCell(const std::string& dotted, bool emptyIsZero) {
  if (dotted.empty() && !emptyIsZero) return dotted;
  return text::dottedToIpNumber(dotted);
}

ImportResult importClientList(ImportContext& context, const ImportOptions& options) {
  if (context.grid.rowCount() == 0) return {ImportOutcome::NothingToImport, std::nullopt};
  BusyTimeoutScope wait(context.connection, kBusyTimeoutMs);
  TargetOpen opened = options.databasePath ? openTargetDatabase(context, *options.databasePath)
                                           : locateAndOpenTargetDatabase(context);
  if (opened == TargetOpen::NotChosen) return {ImportOutcome::NoDatabaseChosen, std::nullopt};
  if (opened == TargetOpen::OpenFailed) return {ImportOutcome::DatabaseOpenFailed, std::nullopt};

  const bool written = replaceClientRows(context);
  context.connection.close();
  if (!written) {
    context.ui.showMessage("导入发生错误 请确认导入数据库文件", "错误", MessageIcon::Error);
    return {ImportOutcome::WriteFailed, std::nullopt};
  }
  context.grid.setStatus(kTypeField, "导入完毕");
  if (!options.restartService) return {ImportOutcome::Imported, std::nullopt};

  platform::ServiceRestart restart = context.services.restart(kServerService);
  if (restart == platform::ServiceRestart::Restarted)
    context.ui.showMessage("导入完毕 已重启汀澜主服务 等待控制台刷新后", "提示", MessageIcon::Question);
  else if (restart == platform::ServiceRestart::Started)  // it was not running before
    context.ui.showMessage("导入完毕 已启动汀澜主服务 等待控制台刷新后", "提示", MessageIcon::Question);
  else if (restart == platform::ServiceRestart::Failed)
    context.ui.showMessage("导入完毕 汀澜主服务重启失败 请手动启动服务", "提示", MessageIcon::Error);
  return {ImportOutcome::Imported, restart};
}

}  // namespace tl
