#pragma once
// A prepared statement over a SqliteConnection, used in one pass: bind
// parameters and execute() it to its end, or walk its rows with
// executeStep() and read the current row's columns by index. Values are
// bound, never joined into the SQL text, so no value can alter the
// statement. The statement is finalised when the object goes away. Failures
// are reported by the boolean results; the reason is the connection's
// lastError().
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3_stmt;

namespace tl {

class SqliteConnection;

class SqliteStatement {
 public:
  // Prepares one statement (GBK, converted to UTF-8). prepared() says
  // whether that worked.
  SqliteStatement(const SqliteConnection& connection, const std::string& sql);
  ~SqliteStatement();
  SqliteStatement(const SqliteStatement&) = delete;
  SqliteStatement& operator=(const SqliteStatement&) = delete;

  bool prepared() const { return statement_ != nullptr; }

  // Binds the 1-based parameter to these bytes as text, unchanged (the
  // caller has encoded them; the 汀澜 database keeps GBK bytes). The bytes
  // are not copied: they must stay in place until execute() has run.
  bool bindBytes(int index, std::string_view bytes);

  // Steps the statement to its end, discarding any rows, then resets it and
  // clears its bindings for the next use. True when it ran to its end.
  bool execute();
  // The same, but the bindings stay: a statement that is run once per row
  // and has every parameter bound again each time skips the clearing.
  bool executeKeepingBindings();

  // Steps to the next row: true when the statement stands on one. False at
  // the end of the rows (done() is then true) or on a failure.
  bool executeStep();
  bool done() const { return done_; }

  // The 0-based index of the result column named exactly `name` (GBK, case
  // counts), or -1. Look it up once per statement, not per row.
  int columnIndex(const std::string& name) const;
  // The current row's value in that column: read as UTF-8 and converted to
  // GBK, or as stored up to the first NUL. A NULL or an index of -1 is empty.
  std::string columnText(int index) const;
  std::string columnBytes(int index) const;
  // The current row's value in that column when it is stored as an integer;
  // nullopt for text, a real, a blob, NULL or an index of -1.
  std::optional<int64_t> columnInteger(int index) const;

 private:
  sqlite3_stmt* statement_ = nullptr;
  bool done_ = false;
};

}  // namespace tl
