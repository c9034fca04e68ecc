#pragma once
// Sorting the client grid by the texts of one column, and the header click
// that drives it with its alternating direction.
#include <functional>

#include "core/client_grid.h"

namespace tl {

enum class SortDirection { Ascending, Descending };

// Called now and then during a long sort so that the window can repaint.
using PumpMessages = std::function<void()>;

// Reorders every row by the texts of `column`. Case-insensitive keys fold
// only the ASCII letters; keys compare as unsigned bytes, a prefix first.
// Rows with equal keys come out in the reverse of their earlier order, in
// both directions. Column 0 moves with its row. A column outside the grid
// leaves it unchanged.
void sortGrid(ClientGrid& grid, int column, SortDirection direction, bool caseSensitive,
              const PumpMessages& pump = {});

// Column 0 becomes 1..n from the top.
void renumberRows(ClientGrid& grid);

// The direction of the next computer-name sort: descending after start-up.
// Lives as long as the application object.
class SortDirectionFlag {
 public:
  SortDirection next() const { return next_; }
  void flip() { next_ = next_ == SortDirection::Ascending ? SortDirection::Descending : SortDirection::Ascending; }

 private:
  SortDirection next_ = SortDirection::Descending;
};

// A click on header `column`. An empty grid changes nothing (the flag keeps
// its value). Otherwise a click on the computer-name header sorts by name in
// the flag's direction; a click on any header flips the flag and renumbers.
void headerClicked(ClientGrid& grid, SortDirectionFlag& flag, int column, const PumpMessages& pump = {});

// The command line's --sort: a name sort in the given direction, then
// renumbering; the flag is not involved.
void sortByName(ClientGrid& grid, SortDirection direction, const PumpMessages& pump = {});

}  // namespace tl
