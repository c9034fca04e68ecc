#include "readers/wangzhong_ini_reader.h"

#include "data/text/gbk_text.h"
#include "readers/ini_value.h"

namespace tl {

void readWangzhongList(ReaderContext& context, const std::string& path) {
  ClientGrid& grid = context.grid;
  grid.clear();
  std::vector<std::string> sections = context.ini.sectionNames(path);
  grid.setStatus(kCountField, countFieldText(static_cast<long long>(sections.size())));
  int number = 0;
  for (const std::string& section : sections) {
    auto value = [&](const char* key) { return readIniValue(context.ini, path, section, key, ""); };
    std::string ip = value("ip"), mac = value("mac"), mask = value("mask"), gateway = value("Gateway");
    int row = grid.appendRow(std::to_string(++number));
    grid.setCell(row, kColName, section);
    grid.setCell(row, kColIp, ip);
    grid.setCell(row, kColMac, text::replaceAll(mac, ":", "-"));
    grid.setCell(row, kColMask, mask);
    grid.setCell(row, kColGateway, gateway);
    context.network.fillDns(grid, row);
  }
}

}  // namespace tl
