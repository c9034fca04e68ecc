#pragma once
// The read sequence shared by the SQLite list readers: clear the grid, open
// the shared connection on the list file, query, hand every row to the
// reader, set the count field, close everything again.
#include <functional>
#include <string>

#include "readers/reader_context.h"

namespace tl {

class SqliteRecordSet;

enum class ReadOperation {
  Text,   // readText: UTF-8 converted to GBK
  Bytes,  // readBytes: the stored bytes as GBK, no conversion
};

// One result row. A missing column or a NULL reads as the empty text.
class DatabaseRow {
 public:
  DatabaseRow(SqliteRecordSet& records, ReadOperation operation) : records_(records), operation_(operation) {}
  std::string operator[](const std::string& column) const;

 private:
  SqliteRecordSet& records_;
  ReadOperation operation_;
};

// Called once per result row with the running number (1, 2, ...); the
// reader appends the row itself, which lets it skip one.
using DatabaseRowHandler = std::function<void(const DatabaseRow& row, int number)>;

void readDatabaseList(ReaderContext& context, const std::string& path, const std::string& selectSql,
                      ReadOperation operation, const DatabaseRowHandler& handleRow);

}  // namespace tl
