#include "readers/yileyou_client_list_reader.h"

#include "readers/dns_cells.h"
#include "readers/ini_value.h"

namespace tl {

void readYileyouClientList(ReaderContext& context, const std::string& path) {
  ClientGrid& grid = context.grid;
  grid.clear();
  std::vector<std::string> sections = context.ini.sectionNames(path);
  grid.setStatus(kCountField, countFieldText(static_cast<long long>(sections.size())));
  int number = 0;
  for (const std::string& section : sections) {
    auto value = [&](const char* key) { return readIniValue(context.ini, path, section, key, ""); };
    std::string computer = value("computer"), ip = value("ip"), mac = value("mac"), mask = value("subnetmask"),
                gateway = value("Gateway"), dns = value("dns");
    int row = grid.appendRow(std::to_string(++number));
    grid.setCell(row, kColName, computer);
    grid.setCell(row, kColIp, ip);
    grid.setCell(row, kColMac, mac);
    grid.setCell(row, kColMask, mask);
    grid.setCell(row, kColGateway, gateway);
    // One server goes whole into DNS1; two joined by "," fill both cells.
    setDnsPieces(grid, row, dns);
  }
}

}  // namespace tl
