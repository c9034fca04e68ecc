#include "data/sqlite/sqlite_transaction.h"

#include <sqlite3.h>

#include "data/sqlite/sqlite_connection.h"

namespace tl {

SqliteTransaction::SqliteTransaction(SqliteConnection& connection) : connection_(connection) {
  active_ = connection_.executeRaw("begin immediate;");
}

SqliteTransaction::~SqliteTransaction() { rollback(); }

bool SqliteTransaction::commit() {
  if (!active_) return false;
  if (!connection_.executeRaw("commit;")) return false;
  active_ = false;
  return true;
}

void SqliteTransaction::rollback() {
  if (!active_) return;
  active_ = false;
  // Some errors (a full disk, an I/O error) have rolled the transaction back
  // already; a second rollback would only fail.
  if (connection_.handle() && !sqlite3_get_autocommit(connection_.handle())) connection_.executeRaw("rollback;");
}

}  // namespace tl
