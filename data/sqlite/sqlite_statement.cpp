#include "data/sqlite/sqlite_statement.h"

#include <sqlite3.h>

#include "data/sqlite/sqlite_connection.h"
#include "platform/text_codec.h"

namespace tl {

SqliteStatement::SqliteStatement(const SqliteConnection& connection, const std::string& sql) {
  if (!connection.handle()) return;
  std::string utf8 = platform::gbkToUtf8(sql);
  if (sqlite3_prepare_v2(connection.handle(), utf8.c_str(), int(utf8.size()), &statement_, nullptr) != SQLITE_OK) {
    sqlite3_finalize(statement_);
    statement_ = nullptr;
  }
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(statement_); }

bool SqliteStatement::bindBytes(int index, std::string_view bytes) {
  if (!statement_) return false;
  // A zero-length text keeps a non-null pointer, so it is bound as '' and not as NULL.
  const char* data = bytes.data() ? bytes.data() : "";
  return sqlite3_bind_text64(statement_, index, data, bytes.size(), SQLITE_TRANSIENT, SQLITE_UTF8) == SQLITE_OK;
}

bool SqliteStatement::execute() {
  if (!statement_) return false;
  int rc;
  while ((rc = sqlite3_step(statement_)) == SQLITE_ROW) {
  }
  // reset() repeats the step's error code; the step's result is the one that counts.
  sqlite3_reset(statement_);
  sqlite3_clear_bindings(statement_);
  return rc == SQLITE_DONE;
}

}  // namespace tl
