#include "readers/dns_cells.h"

#include <string>
#include <vector>

#include "data/text/gbk_text.h"

namespace tl {

void setDnsPieces(ClientGrid& grid, int row, std::string_view text) {
  setDnsPieces(grid, row, text::split(text, ','));
}

void setDnsPieces(ClientGrid& grid, int row, const std::vector<std::string>& pieces) {
  if (pieces.size() >= 1) grid.setCell(row, kColDns1, pieces[0]);
  if (pieces.size() >= 2) grid.setCell(row, kColDns2, pieces[1]);
}

void setDnsFromCommaList(ClientGrid& grid, int row, std::string_view text) {
  if (text::contains(text, ",", text::Case::Sensitive)) setDnsPieces(grid, row, text);
}

}  // namespace tl
