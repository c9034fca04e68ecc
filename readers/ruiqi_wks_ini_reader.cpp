#include "readers/ruiqi_wks_ini_reader.h"

#include "data/text/addresses.h"
#include "readers/ini_section_rows.h"
#include "readers/ini_value.h"

namespace tl {

void readRuiqiWksIni(ReaderContext& context, const std::string& path) {
  ClientGrid& grid = context.grid;
  // Made once for the whole list, not once per value.
  const std::string none = "没有";  // a key the file lacks shows as this in its cell
  const std::string name = "WksName", ip = "IpAddr", mask = "Netmask", gateway = "Gateway", dns1 = "PreferredDNS",
                    dns2 = "BackupDNS";
  readIniSectionRows(context, path, [&](const std::string& section, int row) {
    auto value = [&](const std::string& key) { return readIniValue(context.ini, path, section, key, none); };
    grid.setCell(row, kColName, value(name));
    grid.setCell(row, kColIp, value(ip));
    grid.setCell(row, kColMac, text::groupMac(section));
    grid.setCell(row, kColMask, value(mask));
    grid.setCell(row, kColGateway, value(gateway));
    grid.setCell(row, kColDns1, value(dns1));
    grid.setCell(row, kColDns2, value(dns2));
  });
}

}  // namespace tl
