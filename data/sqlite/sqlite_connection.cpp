#include "data/sqlite/sqlite_connection.h"

#include <sqlite3.h>

#include "platform/text_codec.h"

namespace tl {

bool SqliteConnection::open(const std::string& path, Check check) {
  close();
  openFailure_.clear();
  sqlite3* db = nullptr;
  // A connection lives on the one thread that opened it, so SQLite's own
  // per-call locking (a mutex round trip for every cell fetched) is left off.
  int rc = sqlite3_open_v2(platform::gbkToUtf8(path).c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                           nullptr);
  if (rc != SQLITE_OK) {
    openFailure_ = platform::utf8ToGbk(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
    sqlite3_close(db);
    return false;
  }
  handle_ = db;
  if (busyTimeoutMs_ > 0) sqlite3_busy_timeout(handle_, busyTimeoutMs_);
  // A file that is no database (or an encrypted one) opens; reading the
  // schema is what fails.
  if (check == Check::ReadsAsDatabase && !execute("select name as title from sqlite_master where type='table'")) {
    openFailure_ = lastError();
    close();
    return false;
  }
  path_ = path;
  return true;
}

void SqliteConnection::close() {
  // close_v2: a statement not yet finalised cannot keep the file open.
  if (handle_) sqlite3_close_v2(handle_);
  handle_ = nullptr;
  path_.clear();
}

std::string SqliteConnection::lastError() const {
  if (!handle_ && !openFailure_.empty()) return openFailure_;
  const char* message = sqlite3_errmsg(handle_);  // handles a null connection too
  std::string_view text = message ? message : "";
  if (text == "not an error") return {};
  return platform::utf8ToGbk(text);
}

bool SqliteConnection::execute(const std::string& sql) { return executeRaw(platform::gbkToUtf8(sql)); }

bool SqliteConnection::executeRaw(std::string_view sql) {
  if (!handle_) return false;
  std::string text(sql);
  return sqlite3_exec(handle_, text.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

void SqliteConnection::setBusyTimeout(int milliseconds) {
  busyTimeoutMs_ = milliseconds;
  if (handle_) sqlite3_busy_timeout(handle_, milliseconds);
}

}  // namespace tl
