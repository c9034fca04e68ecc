#include "readers/mzd_ini_reader.h"

#include "data/text/addresses.h"
#include "readers/ini_value.h"

namespace tl {

void readMzdIni(ReaderContext& context, const std::string& path) {
  ClientGrid& grid = context.grid;
  platform::IniFiles::ReadScope iniRead(context.ini);
  LocalNetworkDefaults::ReadScope networkRead(context.network);
  grid.clear();
  int number = 0;
  for (const std::string& section : context.ini.sectionNames(path)) {
    // Settings and other sections have no ComName; only clients do.
    std::string name = readIniValue(context.ini, path, section, "ComName", "没有");
    if (name.empty() || name == "没有") continue;
    std::string ip = readIniValue(context.ini, path, section, "WksIP", "");
    std::string mac = readIniValue(context.ini, path, section, "mac", "");
    int row = grid.appendRow(std::to_string(++number));
    grid.setCell(row, kColName, name);
    grid.setCell(row, kColIp, ip);
    grid.setCell(row, kColMac, text::groupMac(mac));
    grid.setCell(row, kColMask, context.network.subnetMask());
    grid.setCell(row, kColGateway, context.network.gateway());
    context.network.fillDns(grid, row);
  }
  grid.setStatus(kCountField, countFieldText(number));
}

}  // namespace tl
