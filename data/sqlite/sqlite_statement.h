#pragma once
// A prepared statement with bound parameters over a SqliteConnection. Values
// are bound, never joined into the SQL text, so no value can alter the
// statement. The statement is finalised when the object goes away. Failures
// are reported by the boolean results; the reason is the connection's
// lastError().
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
  // caller has encoded them; the 汀澜 database keeps GBK bytes).
  bool bindBytes(int index, std::string_view bytes);

  // Steps the statement to its end, discarding any rows, then resets it and
  // clears its bindings for the next use. True when it ran to its end.
  bool execute();

 private:
  sqlite3_stmt* statement_ = nullptr;
};

}  // namespace tl
