#pragma once
// The read sequence shared by the SQLite list readers: clear the grid, open
// the shared connection on the list file, run the list type's SELECT once,
// hand every row to the reader, set the count field from the rows read,
// close everything again.
#include <cstdint>
#include <functional>
#include <optional>
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
// text. Each column name is looked up once per query, on its first use. A
// reader asks for its columns in the same order every row, so the column
// after the last one asked for is tried first.
class DatabaseRow {
 public:
  DatabaseRow(const SqliteStatement& rows, ReadOperation operation) : rows_(rows), operation_(operation) {}
  std::string operator[](std::string_view column) const;
  // The value when the cell holds an integer; nullopt for any other value
  // and a missing column.
  std::optional<int64_t> integer(std::string_view column) const;

 private:
  int columnIndex(std::string_view column) const;

  const SqliteStatement& rows_;
  ReadOperation operation_;
  mutable std::vector<std::pair<std::string, int>> indices_;
  mutable size_t next_ = 0;  // where the next name is expected in indices_
};

// Called once per result row with the running number (1, 2, ...); the
// reader appends the row itself, which lets it skip one.
using DatabaseRowHandler = std::function<void(const DatabaseRow& row, int number)>;

void readDatabaseList(ReaderContext& context, const std::string& path, std::string_view select,
                      ReadOperation operation, const DatabaseRowHandler& handleRow);

}  // namespace tl
