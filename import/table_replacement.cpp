#include "import/table_replacement.h"

#include "data/sqlite/sqlite_transaction.h"
#include "import/list_backup.h"

namespace tl {
namespace {

constexpr const char* kServerService = "sentry_bs";

enum class WriteStep { Committed, BackupFailed, WriteFailed };

struct Written {
  WriteStep step = WriteStep::WriteFailed;
  BackupResult backup;
  ChangeSummary summary;
  std::string reason;  // SQLite's words for a failed write, taken before the rollback
};

// All or nothing: any failure (the copy included) rolls the DELETE and every
// INSERT back, so the server never sees a partial list and never loses its
// list without a copy.
Written writeInTransaction(ImportContext& context, const ImportOptions& options,
                           std::vector<StoredClient>& after, const RowWriter& writeRows) {
  Written written;
  ClientGrid& grid = context.grid;
  SqliteConnection& connection = context.connection;
  auto fail = [&] {
    written.reason = connection.lastError();
    return written;
  };
  grid.setStatus(kTypeField, "正在清除汀澜客户机列表");
  SqliteTransaction transaction(connection);
  if (!transaction.begun()) return fail();
  std::vector<StoredClient> before;
  if (!readStoredClients(connection.handle(), before, written.reason)) return written;
  if (options.keepBackup) {
    written.backup = saveClientTable(connection.handle(), context.clock());
    if (!written.backup.saved) {
      written.step = WriteStep::BackupFailed;
      return written;
    }
  }
  // A DELETE that fails would leave the old rows beside the new ones.
  if (!connection.executeRaw("delete from cs_client_info;")) return fail();
  grid.setStatus(kTypeField, "正在导入计算机列表");
  if (!writeRows(after) || !transaction.commit()) return fail();
  written.step = WriteStep::Committed;
  written.summary = summarizeChanges(std::move(before), std::move(after));
  return written;
}

}  // namespace

ImportResult replaceClientTable(ImportContext& context, const ImportOptions& options,
                                std::vector<StoredClient> after, const RowWriter& writeRows) {
  Written written = writeInTransaction(context, options, after, writeRows);
  const std::string path = context.connection.path();
  context.connection.close();
  ImportResult result{ImportOutcome::WriteFailed, std::nullopt};
  if (written.step == WriteStep::BackupFailed) {
    context.ui.showMessage("无法保存原客户机列表 未导入：" + written.backup.reason, "提示", MessageIcon::Error);
    result.outcome = ImportOutcome::BackupFailed;
    return result;
  }
  if (written.step == WriteStep::WriteFailed) {
    context.ui.failureCause(path, written.reason);
    context.ui.showMessage("导入发生错误 请确认导入数据库文件", "错误", MessageIcon::Error);
    return result;
  }
  result.outcome = ImportOutcome::Imported;
  result.summary = std::move(written.summary);
  result.backupPath = written.backup.path;
  context.grid.setStatus(kTypeField, "导入完毕");
  if (!options.restartService) return result;

  std::string lines = "\r\n" + changeLine(*result.summary);
  if (written.backup.saved) lines += "\r\n" + savedLine(written.backup.path);
  result.restart = context.services.restart(kServerService);
  if (*result.restart == platform::ServiceRestart::Restarted)
    context.ui.showMessage("导入完毕 已重启汀澜主服务 等待控制台刷新后" + lines, "提示", MessageIcon::Question);
  else if (*result.restart == platform::ServiceRestart::Started)  // it was not running before
    context.ui.showMessage("导入完毕 已启动汀澜主服务 等待控制台刷新后" + lines, "提示", MessageIcon::Question);
  else if (*result.restart == platform::ServiceRestart::Failed)
    context.ui.showMessage("导入完毕 汀澜主服务重启失败 请手动启动服务" + lines, "提示", MessageIcon::Error);
  return result;
}

}  // namespace tl
