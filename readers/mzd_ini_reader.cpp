#include "readers/mzd_ini_reader.h"

#include "data/text/addresses.h"
#include "readers/ini_value.h"
#include "readers/local_client_row.h"

namespace tl {

void readMzdIni(ReaderContext& context, const std::string& path) {
  ClientGrid& grid = context.grid;
  platform::IniFiles::ReadScope iniRead(context.ini);
  grid.clear();
  int number = 0;
  for (const std::string& section : context.ini.sectionNames(path)) {
    // Settings and other sections have no ComName; only clients do.
    std::string name = readIniValue(context.ini, path, section, "ComName", "没有");
    if (name.empty() || name == "没有") continue;
    std::string ip = readIniValue(context.ini, path, section, "WksIP", "");
    std::string mac = readIniValue(context.ini, path, section, "mac", "");
    appendClientOnLocalNetwork(grid, context.network, ++number, {name, ip, text::groupMac(mac)});
  }
  grid.setStatus(kCountField, countFieldText(number));
}

}  // namespace tl
