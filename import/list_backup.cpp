#include "import/list_backup.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "data/text/gbk_text.h"
#include "import/sqlite_query.h"
#include "platform/directories.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"

namespace tl {
namespace {

constexpr const char* kCopyPrefix = "cs_client_info-";
constexpr const char* kTempSuffix = ".tmp";

bool isSeparator(char c) { return c == platform::pathSeparator() || c == '/'; }

// Up to and including the last separator, stepping GBK characters: a trail
// byte may be 0x5C, the Windows separator.
std::string directoryPart(const std::string& path) {
  size_t end = 0;
  for (size_t i = 0; i < path.size(); i += text::charLength(path, i))
    if (isSeparator(path[i])) end = i + 1;
  return path.substr(0, end);
}

std::string stamp(const platform::LocalDateTime& t) {
  char buffer[80];
  std::snprintf(buffer, sizeof buffer, "%04d%02d%02d-%02d%02d%02d", t.year, t.month, t.day, t.hour, t.minute,
                t.second);
  return buffer;
}

bool endsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

bool allDigits(const std::string& s, size_t from, size_t count) {
  if (from + count > s.size()) return false;
  for (size_t i = from; i < from + count; ++i)
    if (s[i] < '0' || s[i] > '9') return false;
  return true;
}

// "cs_client_info-YYYYMMDD-HHMMSS.db" or "...-HHMMSS-N.db": its time and
// number (1 without suffix), for the order of the copies; false for others.
bool copyOrder(const std::string& name, std::pair<std::string, long>& order) {
  const std::string prefix = kCopyPrefix;
  if (name.rfind(prefix, 0) != 0 || !endsWith(name, ".db")) return false;
  const size_t at = prefix.size();
  if (!allDigits(name, at, 8) || name.size() < at + 15 || name[at + 8] != '-' || !allDigits(name, at + 9, 6))
    return false;
  std::string rest = name.substr(at + 15, name.size() - at - 15 - 3);
  long number = 1;
  if (!rest.empty()) {
    if (rest[0] != '-' || !allDigits(rest, 1, rest.size() - 1) || rest.size() < 2 || rest.size() > 10) return false;
    number = std::stol(rest.substr(1));
  }
  order = {name.substr(at, 15), number};
  return true;
}

void pruneOldCopies(const std::string& folder) {
  std::vector<std::pair<std::pair<std::string, long>, std::string>> copies;
  for (const std::string& name : platform::listFileNames(folder)) {
    std::pair<std::string, long> order;
    if (copyOrder(name, order)) copies.push_back({order, name});
    // What a run that was killed while copying left behind.
    else if (name.rfind(kCopyPrefix, 0) == 0 && (endsWith(name, kTempSuffix) || endsWith(name, "-journal")))
      platform::deleteFile(folder + name);
  }
  if (copies.size() <= size_t(kBackupsKept)) return;
  std::sort(copies.begin(), copies.end());
  for (size_t i = 0; i + size_t(kBackupsKept) < copies.size(); ++i) platform::deleteFile(folder + copies[i].second);
}

class CopyFile {
 public:
  ~CopyFile() { close(); }
  bool open(const std::string& path) {
    return sqlite3_open_v2(platform::gbkToUtf8(path).c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                           nullptr) == SQLITE_OK;
  }
  bool close() {
    bool closed = !db_ || sqlite3_close(db_) == SQLITE_OK;
    db_ = nullptr;
    return closed;
  }
  sqlite3* get() const { return db_; }
  bool exec(const std::string& sql) { return sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK; }

 private:
  sqlite3* db_ = nullptr;
};

// The table's CREATE statement and its indexes, as the database stores them.
bool storedSchema(sqlite3* target, std::vector<std::string>& statements) {
  SqliteQuery query(target,
                    "select sql from sqlite_master where tbl_name = 'cs_client_info' collate nocase and sql is not null"
                    " and type in ('table','index') order by type = 'index'");
  while (query.next()) statements.push_back(query.text(0));
  return !query.failed() && !statements.empty();
}

// Every row, every column, values bound with their stored types.
bool copyRows(sqlite3* target, sqlite3* copy) {
  SqliteQuery rows(target, "select * from cs_client_info");
  if (!rows.prepared()) return false;
  const int columns = rows.columnCount();
  std::string insert = "insert into cs_client_info values(";
  for (int c = 0; c < columns; ++c) insert += c ? ",?" : "?";
  SqliteQuery add(copy, insert + ")");
  if (!add.prepared()) return false;
  while (rows.next()) {
    for (int c = 0; c < columns; ++c) sqlite3_bind_value(add.get(), c + 1, sqlite3_column_value(rows.get(), c));
    if (!add.run()) return false;
    add.reset();
  }
  return !rows.failed();
}

// Writes the whole copy at `path`; the reason is the copy's or the target's.
bool writeCopy(sqlite3* target, const std::string& path, std::string& reason) {
  std::vector<std::string> schema;
  if (!storedSchema(target, schema)) {
    reason = sqliteReason(target);
    return false;
  }
  CopyFile copy;
  // The file is unused until renamed, so it needs no journal; the commit
  // still waits until its pages are on disk.
  bool ok = copy.open(path) && copy.exec("pragma journal_mode=off; pragma synchronous=full; begin;");
  for (size_t i = 0; ok && i < schema.size(); ++i) ok = copy.exec(schema[i]);
  if (ok && !copyRows(target, copy.get())) {
    ok = false;
    if (std::string why = sqliteReason(target); why != "not an error") reason = why;
  }
  if (ok) ok = copy.exec("commit;");
  if (!ok && reason.empty()) reason = copy.get() ? sqliteReason(copy.get()) : "unable to open database file";
  if (!copy.close() && ok) {
    ok = false;
    reason = "close failed";
  }
  return ok;
}

}  // namespace

std::string databaseFilePath(sqlite3* db) {
  const char* file = db ? sqlite3_db_filename(db, "main") : nullptr;
  return file ? platform::utf8ToGbk(file) : std::string();
}

std::string backupFolder(const std::string& databasePath) { return directoryPart(databasePath) + "导入前备份"; }

BackupResult saveClientTable(sqlite3* target, const platform::LocalDateTime& now) {
  BackupResult result;
  const std::string folder = backupFolder(databaseFilePath(target));
  if (!platform::createDirectory(folder)) {
    result.reason = "无法创建文件夹 " + folder;
    return result;
  }
  const std::string base = folder + platform::pathSeparator() + kCopyPrefix + stamp(now);
  std::string path = base + ".db";
  for (int n = 2; platform::fileExists(path) || platform::fileExists(path + kTempSuffix); ++n)
    path = base + "-" + std::to_string(n) + ".db";
  const std::string temporary = path + kTempSuffix;
  std::string reason;
  if (!writeCopy(target, temporary, reason) || !platform::moveFile(temporary, path)) {
    platform::deleteFile(temporary);
    result.reason = path + " " + (reason.empty() ? "rename failed" : reason);
    return result;
  }
  result.saved = true;
  result.path = path;
  pruneOldCopies(folder + platform::pathSeparator());
  return result;
}

}  // namespace tl
