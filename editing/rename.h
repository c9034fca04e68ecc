#pragma once
// Bulk renaming: a piece of text replaced inside every computer name or
// every IP address of the grid.
#include <string>

#include "core/client_grid.h"

namespace tl {

enum class RenameMode {
  NamePrefix,  // rewrites column 1, the computer names
  IpSegment,   // rewrites column 2, the IP addresses
};

int renameColumn(RenameMode mode);

// Replaces every non-overlapping occurrence of `from` (ASCII letters match
// regardless of case, never from the middle of a double-byte character) by
// `to`, as typed, in the mode's column of every row. An empty `from` changes
// nothing; no other column changes and column 0 is not renumbered.
void renameCells(ClientGrid& grid, RenameMode mode, const std::string& from, const std::string& to);

}  // namespace tl
