#pragma once
// The read sequence shared by the SQLite list readers: clear the grid, open
// the shared connection on the list file, run the list type's SELECT once,
// hand every row to the reader, set the count field from the rows read,
// close everything again.
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "readers/reader_context.h"

namespace tl {

class SqliteStatement;

enum class ReadOperation {
  Text,   // UTF-8 converted to GBK
  Bytes,  // the stored bytes as GBK, no conversion
};

// The current result row. A missing column or a NULL reads as the empty
// text. Each column name is looked up once per query, on its first use.
class DatabaseRow {
 public:
  DatabaseRow(const SqliteStatement& rows, ReadOperation operation) : rows_(rows), operation_(operation) {}
  std::string operator[](std::string_view column) const;

 private:
  int columnIndex(std::string_view column) const;

  const SqliteStatement& rows_;
  ReadOperation operation_;
  mutable std::vector<std::pair<std::string, int>> indices_;
};

// Called once per result row with the running number (1, 2, ...); the
// reader appends the row itself, which lets it skip one.
using DatabaseRowHandler = std::function<void(const DatabaseRow& row, int number)>;

void readDatabaseList(ReaderContext& context, const std::string& path, std::string_view select,
                      ReadOperation operation, const DatabaseRowHandler& handleRow);

}  // namespace tl
