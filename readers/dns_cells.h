#pragma once
// Filling the two DNS cells of a client row from one text that holds the
// servers separated by ",".
#include <string>
#include <string_view>
#include <vector>

#include "core/client_grid.h"

namespace tl {

// DNS1 gets the first piece of `text` split at ",", DNS2 the second when
// there is one; further pieces are ignored. Pieces are not trimmed, an empty
// piece between two commas counts, an empty last piece does not.
void setDnsPieces(ClientGrid& grid, int row, std::string_view text);
// The same from the pieces of such a split, for a text split once for many rows.
void setDnsPieces(ClientGrid& grid, int row, const std::vector<std::string>& pieces);

// The rule of the SQLite lists that keep both servers in one column: a text
// without any "," sets neither cell, so a single server is not shown.
void setDnsFromCommaList(ClientGrid& grid, int row, std::string_view text);

}  // namespace tl
