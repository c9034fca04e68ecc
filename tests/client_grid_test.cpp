#include "core/client_grid.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tl {
namespace {

TEST(ClientGrid, RowsCellsAndStatus) {
  ClientGrid grid;
  EXPECT_EQ(grid.appendRow("1"), 0);
  EXPECT_EQ(grid.appendRow("2"), 1);
  grid.setCell(1, kColName, "PC02");
  EXPECT_EQ(grid.cell(1, kColNumber), "2");
  EXPECT_EQ(grid.cell(1, kColName), "PC02");
  EXPECT_EQ(grid.cell(0, kColName), "");
  // Out of range reads empty and writes nothing.
  grid.setCell(5, 1, "x");
  grid.setCell(0, 8, "x");
  EXPECT_EQ(grid.cell(5, 1), "");
  EXPECT_EQ(grid.cell(-1, 0), "");
  EXPECT_EQ(grid.rowCount(), 2);
  EXPECT_EQ(ClientGrid::columnCount(), 8);

  grid.setStatus(kCountField, countFieldText(2));
  EXPECT_EQ(grid.status(kCountField), "客户机总数: 2");
  grid.clear();
  EXPECT_EQ(grid.rowCount(), 0);
  EXPECT_EQ(grid.status(kCountField), "客户机总数: 2");  // a clear keeps the fields
}

TEST(ClientGrid, SelectionStaysAtItsPositionsWhenRowsMove) {
  ClientGrid grid;
  for (const char* name : {"a", "b", "c"}) grid.setCell(grid.appendRow(""), kColName, name);
  grid.setSelected(2, true);
  grid.setSelected(0, true);
  EXPECT_EQ(grid.selectedRows(), (std::vector<int>{0, 2}));
  grid.reorderRows({2, 1, 0});
  EXPECT_EQ(grid.cell(0, kColName), "c");
  EXPECT_EQ(grid.selectedRows(), (std::vector<int>{0, 2}));
  grid.clear();
  EXPECT_TRUE(grid.selectedRows().empty());
}

// Rows are kept in blocks of a few hundred: a reorder that moves rows across
// blocks in cycles of several lengths, then a clear and a smaller list in the
// same blocks.
TEST(ClientGrid, ReorderAcrossBlocksAndReuseAfterClear) {
  ClientGrid grid;
  const int n = 700;
  for (int r = 0; r < n; ++r) grid.setCell(grid.appendRow(std::to_string(r)), kColMac, std::string(20, char('a' + r % 26)));
  std::vector<int> order(n);
  for (int p = 0; p < n; ++p) order[size_t(p)] = p < 3 ? p : p < 400 ? (p * 7) % 397 + 3 : n - 1 - (p - 400);
  grid.reorderRows(order);
  for (int p = 0; p < n; ++p) {
    ASSERT_EQ(grid.cell(p, kColNumber), std::to_string(order[size_t(p)])) << p;
    ASSERT_EQ(grid.cell(p, kColMac), std::string(20, char('a' + order[size_t(p)] % 26))) << p;
  }
  grid.clear();
  EXPECT_EQ(grid.appendRow("1"), 0);
  EXPECT_EQ(grid.cell(0, kColMac), "");
  EXPECT_EQ(grid.row(0)[kColName], "");
  EXPECT_EQ(grid.rowCount(), 1);
}

class RowNotices : public GridObserver {
 public:
  void rowsChanged() override { ++count; }
  int count = 0;
};

// Staged rows stand behind the last row, across blocks: uncounted until
// shown, and whatever discards them leaves the blocks empty for the rows
// that come next.
TEST(ClientGrid, StagedRowsAppearOnlyWhenShown) {
  ClientGrid grid;
  grid.appendRow("shown");
  const int staged = 300;
  auto stage = [&grid](int rows) {
    for (int r = 0; r < rows; ++r) grid.stageRow(std::to_string(r + 1))[kColName] = "staged " + std::to_string(r + 1);
  };
  stage(staged);
  EXPECT_EQ(grid.rowCount(), 1);
  EXPECT_EQ(grid.stagedRowCount(), staged);
  EXPECT_EQ(grid.cell(1, kColName), "");

  RowNotices notices;
  grid.setObserver(&notices);
  grid.showStagedRows();
  EXPECT_EQ(notices.count, 1);
  EXPECT_EQ(grid.rowCount(), 1 + staged);
  EXPECT_EQ(grid.stagedRowCount(), 0);
  EXPECT_EQ(grid.cell(staged, kColNumber), std::to_string(staged));
  EXPECT_EQ(grid.cell(staged, kColName), "staged " + std::to_string(staged));
  grid.setSelected(staged, true);
  EXPECT_EQ(grid.selectedRows(), std::vector<int>{staged});
  grid.setObserver(nullptr);

  // Each way of discarding staged rows leaves the rows after the last empty.
  grid.clear();
  stage(3);
  grid.dropStagedRows();
  stage(2);
  grid.clear();
  EXPECT_EQ(grid.stagedRowCount(), 0);
  stage(2);
  EXPECT_EQ(grid.appendRow("1"), 0);
  EXPECT_EQ(grid.stagedRowCount(), 0);
  EXPECT_EQ(grid.cell(0, kColName), "");
  EXPECT_EQ(grid.stageRow("2")[kColName], "");
  grid.showStagedRows();
  EXPECT_EQ(grid.rowCount(), 2);
  EXPECT_EQ(grid.cell(1, kColNumber), "2");
}

}  // namespace
}  // namespace tl
