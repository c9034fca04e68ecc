#include "editing/rename.h"

#include <utility>

#include "data/text/gbk_text.h"

namespace tl {

int renameColumn(RenameMode mode) { return mode == RenameMode::NamePrefix ? kColName : kColIp; }

void renameCells(ClientGrid& grid, RenameMode mode, const std::string& from, const std::string& to) {
  if (from.empty()) return;
  const int column = renameColumn(mode);
  const text::Replacer replacer(from, to, text::Case::Insensitive);
  std::string replaced;  // a cell without `from` is left alone
  const int rows = grid.rowCount();
  for (int r = 0; r < rows; ++r) {
    // The cells of a large grid are mostly out of the cache: ask for a
    // later row's cell while this one is looked at.
    constexpr int kAhead = 8;
    if (r + kAhead < rows) __builtin_prefetch(&grid.row(r + kAhead)[size_t(column)]);
    if (replacer.into(grid.cell(r, column), replaced))
      grid.setCell(r, column, std::move(replaced));
  }
}

}  // namespace tl
