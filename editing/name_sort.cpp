#include "editing/name_sort.h"

#include <algorithm>
#include <string>
#include <vector>

#include "data/text/gbk_text.h"

namespace tl {
namespace {

// Lets the window repaint every so many steps; once per step would cost more
// than the sort itself.
class PumpThrottle {
 public:
  explicit PumpThrottle(const PumpMessages& pump) : pump_(pump) {}
  void step() {
    if (pump_ && ++steps_ % kStepsPerPump == 0) pump_();
  }
  void now() {
    if (pump_) pump_();
  }

 private:
  static constexpr unsigned kStepsPerPump = 16384;
  const PumpMessages& pump_;
  unsigned steps_ = 0;
};

struct SortKey {
  std::string text;
  int row;
};

}  // namespace

void sortGrid(ClientGrid& grid, int column, SortDirection direction, bool caseSensitive, const PumpMessages& pump) {
  if (column < 0 || column >= ClientGrid::columnCount()) return;
  const int n = grid.rowCount();
  if (n < 2) return;
  PumpThrottle throttle(pump);

  std::vector<SortKey> keys;
  keys.reserve(size_t(n));
  for (int r = 0; r < n; ++r) {
    const std::string& cell = grid.cell(r, column);
    keys.push_back({caseSensitive ? cell : text::toUpperAscii(cell), r});
    throttle.step();
  }

  // std::string compares through char_traits<char>, i.e. as unsigned bytes
  // with a prefix first. Equal keys: the row that stood lower comes first.
  const bool ascending = direction == SortDirection::Ascending;
  std::sort(keys.begin(), keys.end(), [&](const SortKey& a, const SortKey& b) {
    throttle.step();
    int c = a.text.compare(b.text);
    if (c != 0) return ascending ? c < 0 : c > 0;
    return a.row > b.row;
  });
  throttle.now();

  std::vector<int> order;
  order.reserve(size_t(n));
  for (const SortKey& key : keys) order.push_back(key.row);
  grid.reorderRows(order);
  throttle.now();
}

void renumberRows(ClientGrid& grid) {
  for (int r = 0; r < grid.rowCount(); ++r) {
    std::string number = std::to_string(r + 1);
    if (grid.cell(r, kColNumber) != number) grid.setCell(r, kColNumber, std::move(number));
  }
}

void headerClicked(ClientGrid& grid, SortDirectionFlag& flag, int column, const PumpMessages& pump) {
  if (grid.rowCount() == 0) return;
  if (column == kColName) sortGrid(grid, kColName, flag.next(), false, pump);
  flag.flip();
  renumberRows(grid);
}

void sortByName(ClientGrid& grid, SortDirection direction, const PumpMessages& pump) {
  sortGrid(grid, kColName, direction, false, pump);
  renumberRows(grid);
}

}  // namespace tl
