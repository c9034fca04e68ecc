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
  readIniSectionRows(context, path, [&](const std::string& section, int row) {
    grid.fillRow(row, [&](ClientRow& cells) {
      std::string* const into[] = {&cells[kColName],    &cells[kColIp],   &cells[kColMask],
                                   &cells[kColGateway], &cells[kColDns1], &cells[kColDns2]};
      readIniValues(context.ini, path, section, keys, none, into);
      cells[kColMac] = text::groupMac(section);
    });
  });
}

}  // namespace tl
