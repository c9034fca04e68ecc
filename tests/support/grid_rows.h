#pragma once
// The grid's rows as values, for comparing a whole list in one check.
#include <vector>

#include "core/client_grid.h"

namespace tl::test {

inline std::vector<ClientRow> gridRows(const ClientGrid& grid) {
  std::vector<ClientRow> rows;
  for (int i = 0; i < grid.rowCount(); ++i) rows.push_back(grid.row(i));
  return rows;
}

// Records the row count each time the count field is written, so a test can
// tell whether a reader wrote it before or after the rows.
class CountFieldWatch : public GridObserver {
 public:
  explicit CountFieldWatch(const ClientGrid& grid) : grid_(grid) {}
  void statusChanged(int part) override {
    if (part == kCountField) rowsWhenWritten.push_back(grid_.rowCount());
  }
  std::vector<int> rowsWhenWritten;

 private:
  const ClientGrid& grid_;
};

}  // namespace tl::test
