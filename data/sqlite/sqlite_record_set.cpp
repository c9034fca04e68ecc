#include "data/sqlite/sqlite_record_set.h"

#include <sqlite3.h>

#include "data/sqlite/sqlite_connection.h"
#include "data/text/gbk_text.h"
#include "platform/text_codec.h"

namespace tl {
namespace {

// Counts the rows of a statement by stepping a second copy of it, without
// keeping the rows: the same answer as materialising the result table.
int32_t countRows(sqlite3* db, const std::string& utf8Sql) {
  sqlite3_stmt* counter = nullptr;
  if (sqlite3_prepare_v2(db, utf8Sql.c_str(), int(utf8Sql.size()) + 1, &counter, nullptr) != SQLITE_OK ||
      !counter) {
    sqlite3_finalize(counter);
    return 0;
  }
  int32_t rows = 0;
  int rc;
  while ((rc = sqlite3_step(counter)) == SQLITE_ROW) ++rows;
  sqlite3_finalize(counter);
  return rc == SQLITE_DONE ? rows : 0;
}

}  // namespace

bool SqliteRecordSet::attach(const SqliteConnection& connection) {
  db_ = connection.handle();
  return db_ != nullptr;
}

bool SqliteRecordSet::query(const std::string& sql) {
  close();
  currentRow_ = kNoRow;
  rowCount_ = kNoRow;
  if (!db_) return false;
  std::string utf8 = platform::gbkToUtf8(sql);
  sqlite3_prepare_v2(db_, utf8.c_str(), int(utf8.size()) + 1, &statement_, nullptr);
  if (!statement_) return false;
  int rc = sqlite3_step(statement_);
  if (rc == SQLITE_ROW) {
    rowCount_ = countRows(db_, utf8);
    currentRow_ = 0;
    return true;
  }
  if (rc == SQLITE_DONE) {
    rowCount_ = 0;
    return true;
  }
  return false;
}

bool SqliteRecordSet::stepAndNotify() {
  bool row = sqlite3_step(statement_) == SQLITE_ROW;
  if (row && onStep_) onStep_();
  return row;
}

bool SqliteRecordSet::goTo(int32_t target) {
  if (!statement_) return false;
  if (target < 0 || target >= rowCount_) {
    sqlite3_reset(statement_);
    currentRow_ = target < 0 ? kNoRow : kPastEnd;
    return false;
  }
  int32_t steps;
  if (target < currentRow_) {
    if (sqlite3_reset(statement_) != SQLITE_OK) {
      currentRow_ = kNoRow;
      return false;
    }
    steps = target + 1;
  } else {
    int32_t from = currentRow_ == kPastEnd ? kNoRow : currentRow_;
    steps = target - from;
  }
  for (int32_t i = 0; i < steps; ++i) {
    if (!stepAndNotify()) {
      currentRow_ = kNoRow;
      sqlite3_reset(statement_);
      return false;
    }
  }
  currentRow_ = target;
  return true;
}

int SqliteRecordSet::columnIndex(const std::string& name) const {
  int count = sqlite3_column_count(statement_);
  for (int i = 0; i < count; ++i) {
    const char* columnName = sqlite3_column_name(statement_, i);
    if (columnName && platform::utf8ToGbk(columnName) == name) return i;
  }
  return -1;
}

bool SqliteRecordSet::readText(const std::string& column, std::string& value) {
  value.clear();
  if (!statement_) return false;
  int index = columnIndex(column);
  if (index < 0) return false;
  auto text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, index));
  int size = sqlite3_column_bytes(statement_, index);
  if (text && size > 0) value = platform::utf8ToGbk(std::string_view(text, size_t(size)));
  return true;
}

bool SqliteRecordSet::readBytes(const std::string& column, std::string& value) {
  value.clear();
  if (!statement_) return false;
  int index = columnIndex(column);
  if (index < 0) return false;
  // A number is asked for as text first so that it comes back in decimal.
  int type = sqlite3_column_type(statement_, index);
  const void* data = (type == SQLITE_INTEGER || type == SQLITE_FLOAT)
                         ? static_cast<const void*>(sqlite3_column_text(statement_, index))
                         : sqlite3_column_blob(statement_, index);
  int size = sqlite3_column_bytes(statement_, index);
  if (data && size > 0) value = std::string(text::untilNul(std::string_view(static_cast<const char*>(data), size_t(size))));
  return true;
}

void SqliteRecordSet::close() {
  if (statement_) sqlite3_finalize(statement_);
  statement_ = nullptr;
}

}  // namespace tl
