#pragma once
// The client grid: the one store of the current client list, eight text
// columns per row, plus the three status fields shown below it. The window
// draws this model; readers fill it; editing, export and import read it.
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "core/client_row_store.h"

namespace tl {

enum Column : int {
  kColNumber = 0,  // 序号: running number, 1-based decimal text
  kColName = 1,
  kColIp = 2,
  kColMac = 3,
  kColMask = 4,
  kColGateway = 5,
  kColDns1 = 6,
  kColDns2 = 7,
};

enum StatusPart : int {
  kCountField = 0,  // "客户机总数: " and a count
  kPathField = 1,   // the list file's path
  kTypeField = 2,   // "列表类型: " and a type, or the import's progress
};
inline constexpr int kStatusPartCount = 3;

// Told about every change so that a view can redraw; it must not change the grid.
class GridObserver {
 public:
  virtual ~GridObserver() = default;
  virtual void rowsChanged() {}
  virtual void statusChanged(int part) {}
};

class ClientGrid {
 public:
  void clear();
  // Appends a row whose column 0 is `numberText` and whose other cells are
  // empty; returns its index.
  // Both are inline: a reader calls them once per cell of every row.
  int appendRow(std::string numberText) {
    rows_.append()[kColNumber] = std::move(numberText);
    selected_.push_back(false);
    notifyRows();
    return int(rows_.size()) - 1;
  }
  // Out-of-range indices are ignored (set) or read as the empty text (get).
  void setCell(int row, int column, std::string text) {
    if (row < 0 || row >= rowCount() || column < 0 || column >= kColumnCount) return;
    rows_[size_t(row)][size_t(column)] = std::move(text);
    notifyRows();
  }
  const std::string& cell(int row, int column) const;
  // Calls fill(cells) with the row's cells to write them in place; an
  // observer is told once. A reader so writes a value into its cell with no
  // copy between. Out-of-range rows are ignored.
  template <typename Fill>
  void fillRow(int row, Fill&& fill) {
    if (row < 0 || row >= rowCount()) return;
    fill(rows_[size_t(row)]);
    notifyRows();
  }
  // Rows a reader makes before they are shown, for a list whose row count
  // is known only once every row is read while the count field has to be
  // written before the first row appears. A staged row is not in
  // rowCount(); stageRow() gives a new one whose column 0 is `numberText`,
  // for the reader to write its cells in place. showStagedRows() makes them
  // the last rows (an observer is told once); dropStagedRows(), clear() and
  // appendRow() discard them. The row blocks are the grid's own, kept
  // across reads.
  ClientRow& stageRow(std::string numberText) {
    ClientRow& row = rows_.appendStaged();
    row[kColNumber] = std::move(numberText);
    return row;
  }
  int stagedRowCount() const { return int(rows_.stagedSize()); }
  void showStagedRows();
  void dropStagedRows() { rows_.dropStaged(); }
  // Calls rewrite(cell), which returns whether it changed the cell, on the
  // column's cell of every row in order; an observer is told once, when any
  // changed. A bulk edit so need not copy every cell out and back.
  template <typename Rewrite>
  void rewriteColumn(int column, Rewrite&& rewrite) {
    if (column < 0 || column >= kColumnCount) return;
    bool changed = false;
    rows_.forEachCell(size_t(column), [&](std::string& cell) { changed |= rewrite(cell); });
    if (changed) notifyRows();
  }
  const ClientRow& row(int index) const { return rows_[size_t(index)]; }
  int rowCount() const { return int(rows_.size()); }
  static constexpr int columnCount() { return kColumnCount; }

  // Puts the rows in a new order: new row p is old row order[p]. `order`
  // must be a permutation of 0..rowCount()-1. The selection stays at its row
  // positions, whatever rows now stand there.
  void reorderRows(const std::vector<int>& order);

  // Selection by row position, kept by the view.
  void setSelected(int row, bool selected);
  void clearSelection();
  bool isSelected(int row) const;
  std::vector<int> selectedRows() const;  // ascending

  void setStatus(int part, std::string text);
  const std::string& status(int part) const;

  void setObserver(GridObserver* observer) { observer_ = observer; }

 private:
  void notifyRows() {
    if (observer_) observer_->rowsChanged();
  }

  ClientRowStore rows_;
  std::vector<bool> selected_;
  std::array<std::string, kStatusPartCount> status_;
  GridObserver* observer_ = nullptr;
};

// "客户机总数: " followed by n.
std::string countFieldText(long long n);

}  // namespace tl
