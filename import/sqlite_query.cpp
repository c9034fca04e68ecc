#include "import/sqlite_query.h"

#include <sqlite3.h>

#include "platform/text_codec.h"

namespace tl {

SqliteQuery::SqliteQuery(sqlite3* db, const std::string& sql) {
  if (!db || sqlite3_prepare_v2(db, sql.c_str(), int(sql.size()), &statement_, nullptr) != SQLITE_OK) {
    sqlite3_finalize(statement_);
    statement_ = nullptr;
    failed_ = true;
  }
}

SqliteQuery::~SqliteQuery() { sqlite3_finalize(statement_); }

bool SqliteQuery::next() {
  if (!statement_ || failed_) return false;
  int rc = sqlite3_step(statement_);
  if (rc == SQLITE_ROW) return true;
  failed_ = rc != SQLITE_DONE;
  return false;
}

bool SqliteQuery::run() {
  while (next()) {
  }
  return !failed_;
}

void SqliteQuery::reset() {
  if (!statement_) return;
  sqlite3_reset(statement_);
  sqlite3_clear_bindings(statement_);
  failed_ = false;
}

int SqliteQuery::columnCount() const { return statement_ ? sqlite3_column_count(statement_) : 0; }

std::string SqliteQuery::text(int column) const {
  const void* bytes = sqlite3_column_blob(statement_, column);
  int size = sqlite3_column_bytes(statement_, column);
  return bytes ? std::string(static_cast<const char*>(bytes), size_t(size)) : std::string();
}

bool SqliteQuery::isNull(int column) const { return sqlite3_column_type(statement_, column) == SQLITE_NULL; }

ReadOnlyDatabase::~ReadOnlyDatabase() { sqlite3_close_v2(db_); }

bool ReadOnlyDatabase::open(const std::string& gbkPath) {
  return sqlite3_open_v2(platform::gbkToUtf8(gbkPath).c_str(), &db_, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK;
}

std::string sqliteReason(sqlite3* db) {
  const char* message = sqlite3_errmsg(db);
  return platform::utf8ToGbk(message ? message : "");
}

}  // namespace tl
