#include "readers/ruiqi_wks_ini_reader.h"

#include "data/text/addresses.h"
#include "readers/ini_section_rows.h"
#include "readers/ini_value.h"

namespace tl {

void readRuiqiWksIni(ReaderContext& context, const std::string& path) {
  ClientGrid& grid = context.grid;
  // Made once for the whole list, not once per value; one call reads a
  // section's six keys.
  const std::string none = "没有";  // a key the file lacks shows as this in its cell
  const std::vector<std::string> keys = {"WksName", "IpAddr", "Netmask", "Gateway", "PreferredDNS", "BackupDNS"};
  std::vector<std::string> values;
  readIniSectionRows(context, path, [&](const std::string& section, int row) {
    readIniValues(context.ini, path, section, keys, none, values);
    grid.setCell(row, kColName, std::move(values[0]));
    grid.setCell(row, kColIp, std::move(values[1]));
    grid.setCell(row, kColMac, text::groupMac(section));
    grid.setCell(row, kColMask, std::move(values[2]));
    grid.setCell(row, kColGateway, std::move(values[3]));
    grid.setCell(row, kColDns1, std::move(values[4]));
    grid.setCell(row, kColDns2, std::move(values[5]));
  });
}

}  // namespace tl
