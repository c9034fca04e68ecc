#include "readers/ini_section_rows.h"

namespace tl {

void readIniSectionRows(ReaderContext& context, const std::string& path,
                        const std::function<void(const std::string& section, int row)>& fillRow) {
  ClientGrid& grid = context.grid;
  platform::IniFiles::ReadScope iniRead(context.ini);
  grid.clear();
  std::vector<std::string> sections = context.ini.sectionNames(path);
  grid.setStatus(kCountField, countFieldText(static_cast<long long>(sections.size())));
  int number = 0;
  for (const std::string& section : sections) fillRow(section, grid.appendRow(std::to_string(++number)));
}

}  // namespace tl
