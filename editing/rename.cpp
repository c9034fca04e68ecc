#include "editing/rename.h"

#include "data/text/gbk_text.h"

namespace tl {

int renameColumn(RenameMode mode) { return mode == RenameMode::NamePrefix ? kColName : kColIp; }

void renameCells(ClientGrid& grid, RenameMode mode, const std::string& from, const std::string& to) {
  if (from.empty()) return;
  const int column = renameColumn(mode);
  std::string replaced;  // one buffer for every row; a cell without `from` is left alone
  for (int r = 0; r < grid.rowCount(); ++r)
    if (text::replaceAllInto(grid.cell(r, column), from, to, text::Case::Insensitive, replaced))
      grid.setCell(r, column, replaced);
}

}  // namespace tl
