#include "readers/yileyou_client_list_reader.h"

#include "data/text/gbk_text.h"
#include "readers/ini_value.h"

namespace tl {
namespace {

// "dns" holds one server, or two joined by ",".
void setDns(ClientGrid& grid, int row, const std::string& dns) {
  if (!text::contains(dns, ",", text::Case::Sensitive)) {
    grid.setCell(row, kColDns1, dns);
    return;
  }
  std::vector<std::string> pieces = text::split(dns, ',');
  if (pieces.size() >= 1) grid.setCell(row, kColDns1, pieces[0]);
  if (pieces.size() >= 2) grid.setCell(row, kColDns2, pieces[1]);
}

}  // namespace

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
    setDns(grid, row, dns);
  }
}

}  // namespace tl
