#include "readers/yileyou_client_list_reader.h"

#include "readers/dns_cells.h"
#include "readers/ini_section_rows.h"
#include "readers/ini_value.h"

namespace tl {

void readYileyouClientList(ReaderContext& context, const std::string& path) {
  ClientGrid& grid = context.grid;
  readIniSectionRows(context, path, [&](const std::string& section, int row) {
    auto value = [&](const char* key) { return readIniValue(context.ini, path, section, key, ""); };
    grid.setCell(row, kColName, value("computer"));
    grid.setCell(row, kColIp, value("ip"));
    grid.setCell(row, kColMac, value("mac"));
    grid.setCell(row, kColMask, value("subnetmask"));
    grid.setCell(row, kColGateway, value("Gateway"));
    // One server goes whole into DNS1; two joined by "," fill both cells.
    setDnsPieces(grid, row, value("dns"));
  });
}

}  // namespace tl
