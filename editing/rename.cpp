#include "editing/rename.h"

#include "data/text/gbk_text.h"

namespace tl {

int renameColumn(RenameMode mode) { return mode == RenameMode::NamePrefix ? kColName : kColIp; }

void renameCells(ClientGrid& grid, RenameMode mode, const std::string& from, const std::string& to) {
  if (from.empty()) return;
  const int column = renameColumn(mode);
  const text::Replacer replacer(from, to, text::Case::Insensitive);
  std::string scratch;  // a cell without `from` is left alone
  grid.rewriteColumn(column, [&](std::string& cell) { return replacer.inPlace(cell, scratch); });
}

}  // namespace tl
