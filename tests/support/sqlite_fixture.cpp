#include "tests/support/sqlite_fixture.h"

#include <sqlite3.h>

#include <cstdio>

namespace tl::test {

std::string makeDatabase(const std::string& path, const std::string& sql) {
  std::remove(path.c_str());
  sqlite3* db = nullptr;
  std::string error;
  if (sqlite3_open(path.c_str(), &db) != SQLITE_OK) {
    error = sqlite3_errmsg(db);
  } else {
    char* message = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) error = message ? message : "?";
    sqlite3_free(message);
  }
  sqlite3_close(db);
  return error;
}

std::vector<std::vector<std::string>> queryRows(const std::string& path, const std::string& sql) {
  std::vector<std::vector<std::string>> rows;
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) == SQLITE_OK) {
      while (sqlite3_step(st) == SQLITE_ROW) {
        std::vector<std::string> row;
        for (int i = 0; i < sqlite3_column_count(st); ++i) {
          if (sqlite3_column_type(st, i) == SQLITE_NULL) {
            row.push_back("<NULL>");
            continue;
          }
          auto p = static_cast<const char*>(sqlite3_column_blob(st, i));
          row.emplace_back(p ? p : "", size_t(sqlite3_column_bytes(st, i)));
        }
        rows.push_back(std::move(row));
      }
    }
    sqlite3_finalize(st);
  }
  sqlite3_close(db);
  return rows;
}

}  // namespace tl::test
