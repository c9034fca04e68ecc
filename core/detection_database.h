#pragma once
// The detection connection: opened straight on SQLite, apart from the shared
// connection, for the probes of one detection and closed again.
#include <string>

struct sqlite3;

namespace tl {

class DetectionDatabase {
 public:
  DetectionDatabase() = default;
  ~DetectionDatabase() { close(); }
  DetectionDatabase(const DetectionDatabase&) = delete;
  DetectionDatabase& operator=(const DetectionDatabase&) = delete;

  // Opens an existing file read-write without creating it. A file that is
  // no database opens too; its probes fail.
  bool open(const std::string& path);
  void close();
  bool isOpen() const { return db_ != nullptr; }

  // Prepares the statement and steps it once; true when it yields a row or
  // the end of the rows. The statement is finalised before returning.
  bool probe(const char* sql);

 private:
  sqlite3* db_ = nullptr;
};

}  // namespace tl
