#pragma once
// The shared database connection of the readers and the import. Callers work
// in GBK; SQL and file names go to SQLite as UTF-8, error texts come back as
// GBK. Failures are reported by the boolean results, never thrown.
#include <string>
#include <string_view>

struct sqlite3;

namespace tl {

class SqliteConnection {
 public:
  SqliteConnection() = default;
  ~SqliteConnection() { close(); }
  SqliteConnection(const SqliteConnection&) = delete;
  SqliteConnection& operator=(const SqliteConnection&) = delete;

  enum class Check {
    ReadsAsDatabase,  // the schema must read: a text file or a locked one fails
    None,             // any file opens; list type detection's probes find out
  };

  // Opens an existing database file for reading and writing (never creates
  // one), by default checking that it reads as a database.
  bool open(const std::string& path, Check check = Check::ReadsAsDatabase);
  void close();
  bool isOpen() const { return handle_ != nullptr; }

  // SQLite's error text for the last call, as GBK; "not an error" reads as
  // the empty text. After a failed open: why it failed ("database is locked").
  std::string lastError() const;
  // The path of the open database as given to open(); empty when closed.
  const std::string& path() const { return path_; }

  // Runs one or more statements (GBK, converted to UTF-8), discarding rows.
  bool execute(const std::string& sql);
  // The same with bytes passed to SQLite unchanged.
  bool executeRaw(std::string_view sql);

  // How long a statement (and the check in open) waits for another
  // connection's lock before it fails with "database is locked"; 0, the
  // default, fails at once. Holds for this and later opens until changed.
  void setBusyTimeout(int milliseconds);

  sqlite3* handle() const { return handle_; }

 private:
  sqlite3* handle_ = nullptr;
  int busyTimeoutMs_ = 0;
  std::string path_;
  std::string openFailure_;  // GBK, kept past the close of a failed open
};

}  // namespace tl
