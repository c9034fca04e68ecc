#include "data/sqlite/sqlite_statement.h"

#include <sqlite3.h>

#include "data/sqlite/sqlite_connection.h"
#include "data/text/gbk_text.h"
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
  return sqlite3_bind_text64(statement_, index, data, bytes.size(), SQLITE_STATIC, SQLITE_UTF8) == SQLITE_OK;
}

bool SqliteStatement::execute() {
  const bool done = executeKeepingBindings();
  if (statement_) sqlite3_clear_bindings(statement_);
  return done;
}

bool SqliteStatement::executeKeepingBindings() {
  if (!statement_) return false;
  int rc;
  while ((rc = sqlite3_step(statement_)) == SQLITE_ROW) {
  }
  // reset() repeats the step's error code; the step's result is the one that counts.
  sqlite3_reset(statement_);
  return rc == SQLITE_DONE;
}

bool SqliteStatement::executeStep() {
  if (!statement_ || done_) return false;
  int rc = sqlite3_step(statement_);
  done_ = rc == SQLITE_DONE;
  return rc == SQLITE_ROW;
}

int SqliteStatement::columnIndex(const std::string& name) const {
  if (!statement_) return -1;
  int count = sqlite3_column_count(statement_);
  for (int i = 0; i < count; ++i) {
    const char* columnName = sqlite3_column_name(statement_, i);
    if (columnName && platform::utf8ToGbk(columnName) == name) return i;
  }
  return -1;
}

std::string SqliteStatement::columnText(int index) const {
  if (!statement_ || index < 0) return {};
  auto text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, index));
  int size = sqlite3_column_bytes(statement_, index);
  if (!text || size <= 0) return {};
  return platform::utf8ToGbk(std::string_view(text, size_t(size)));
}

std::string SqliteStatement::columnBytes(int index) const {
  if (!statement_ || index < 0) return {};
  // A number is asked for as text first so that it comes back in decimal.
  int type = sqlite3_column_type(statement_, index);
  const void* data = (type == SQLITE_INTEGER || type == SQLITE_FLOAT)
                         ? static_cast<const void*>(sqlite3_column_text(statement_, index))
                         : sqlite3_column_blob(statement_, index);
  int size = sqlite3_column_bytes(statement_, index);
  if (!data || size <= 0) return {};
  return std::string(text::untilNul(std::string_view(static_cast<const char*>(data), size_t(size))));
}

std::optional<int64_t> SqliteStatement::columnInteger(int index) const {
  if (!statement_ || index < 0 || sqlite3_column_type(statement_, index) != SQLITE_INTEGER) return std::nullopt;
  return sqlite3_column_int64(statement_, index);
}

}  // namespace tl
