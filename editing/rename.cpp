#include "editing/rename.h"

#include "data/text/gbk_text.h"

namespace tl {

int renameColumn(RenameMode mode) { return mode == RenameMode::NamePrefix ? kColName : kColIp; }

void renameCells(ClientGrid& grid, RenameMode mode, const std::string& from, const std::string& to) {
  if (from.empty()) return;
  const int column = renameColumn(mode);
  for (int r = 0; r < grid.rowCount(); ++r) {
    const std::string& cell = grid.cell(r, column);
    if (!text::contains(cell, from, text::Case::Insensitive)) continue;
    grid.setCell(r, column, text::replaceAll(cell, from, to, text::Case::Insensitive));
  }
}

}  // namespace tl
