#include "readers/ruiqi_wks_ini_reader.h"

#include "data/text/addresses.h"
#include "readers/ini_value.h"

namespace tl {

void readRuiqiWksIni(ReaderContext& context, const std::string& path) {
  ClientGrid& grid = context.grid;
  grid.clear();
  std::vector<std::string> sections = context.ini.sectionNames(path);
  grid.setStatus(kCountField, countFieldText(static_cast<long long>(sections.size())));
  int number = 0;
  for (const std::string& section : sections) {
    // A key the file lacks shows as "没有" (none) in its cell.
    auto value = [&](const char* key) { return readIniValue(context.ini, path, section, key, "没有"); };
    std::string name = value("WksName"), ip = value("IpAddr"), mask = value("Netmask"), gateway = value("Gateway"),
                dns1 = value("PreferredDNS"), dns2 = value("BackupDNS");
    int row = grid.appendRow(std::to_string(++number));
    grid.setCell(row, kColName, name);
    grid.setCell(row, kColIp, ip);
    grid.setCell(row, kColMac, text::groupMac(section));
    grid.setCell(row, kColMask, mask);
    grid.setCell(row, kColGateway, gateway);
    grid.setCell(row, kColDns1, dns1);
    grid.setCell(row, kColDns2, dns2);
  }
}

}  // namespace tl
