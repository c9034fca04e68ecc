#include "core/detection_database.h"

#include <sqlite3.h>

#include "platform/file_system.h"
#include "platform/text_codec.h"

namespace tl {

bool DetectionDatabase::open(const std::string& path) {
  close();
  // SQLite opens a directory without complaint on some platforms; the file
  // must be readable as a file.
  if (!platform::fileExists(path) || platform::isDirectory(path)) return false;
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(platform::gbkToUtf8(path).c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    return false;
  }
  db_ = db;
  return true;
}

void DetectionDatabase::close() {
  if (db_) sqlite3_close_v2(db_);
  db_ = nullptr;
}

bool DetectionDatabase::probe(const char* sql) {
  if (!db_) return false;
  sqlite3_stmt* statement = nullptr;
  bool ok = false;
  if (sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr) == SQLITE_OK && statement) {
    int rc = sqlite3_step(statement);
    ok = rc == SQLITE_ROW || rc == SQLITE_DONE;
  }
  sqlite3_finalize(statement);
  return ok;
}

}  // namespace tl
