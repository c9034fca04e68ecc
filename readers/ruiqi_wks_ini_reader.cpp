#include "readers/ruiqi_wks_ini_reader.h"

#include "data/text/addresses.h"
#include "readers/ini_section_rows.h"
#include "readers/ini_value.h"

namespace tl {

void readRuiqiWksIni(ReaderContext& context, const std::string& path) {
  ClientGrid& grid = context.grid;
  readIniSectionRows(context, path, [&](const std::string& section, int row) {
    // A key the file lacks shows as "没有" (none) in its cell.
    auto value = [&](const char* key) { return readIniValue(context.ini, path, section, key, "没有"); };
    grid.setCell(row, kColName, value("WksName"));
    grid.setCell(row, kColIp, value("IpAddr"));
    grid.setCell(row, kColMac, text::groupMac(section));
    grid.setCell(row, kColMask, value("Netmask"));
    grid.setCell(row, kColGateway, value("Gateway"));
    grid.setCell(row, kColDns1, value("PreferredDNS"));
    grid.setCell(row, kColDns2, value("BackupDNS"));
  });
}

}  // namespace tl
