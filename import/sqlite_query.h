#pragma once
// A query stepped row by row over a raw SQLite handle, for the import's
// copy, summary and restore, which move values between two databases with
// their types intact.
#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace tl {

class SqliteQuery {
 public:
  // `sql` is UTF-8 (the import's statements are ASCII).
  SqliteQuery(sqlite3* db, const std::string& sql);
  ~SqliteQuery();
  SqliteQuery(const SqliteQuery&) = delete;
  SqliteQuery& operator=(const SqliteQuery&) = delete;

  bool prepared() const { return statement_ != nullptr; }
  // True while there is a row; failed() tells an error from the end.
  bool next();
  bool failed() const { return failed_; }
  // Steps to the end (a statement without rows); true when it got there.
  bool run();
  // Resets for the next run with new bindings.
  void reset();

  int columnCount() const;
  // The column's bytes as stored (a number as its text, NULL as empty).
  std::string text(int column) const;
  bool isNull(int column) const;
  sqlite3_stmt* get() const { return statement_; }

 private:
  sqlite3_stmt* statement_ = nullptr;
  bool failed_ = false;
};

// A database file opened for reading only (never created), closed with the
// object.
class ReadOnlyDatabase {
 public:
  ReadOnlyDatabase() = default;
  ~ReadOnlyDatabase();
  ReadOnlyDatabase(const ReadOnlyDatabase&) = delete;
  ReadOnlyDatabase& operator=(const ReadOnlyDatabase&) = delete;
  bool open(const std::string& gbkPath);
  sqlite3* get() const { return db_; }

 private:
  sqlite3* db_ = nullptr;
};

// SQLite's error text of the handle, as GBK.
std::string sqliteReason(sqlite3* db);

}  // namespace tl
