#include "readers/wangzhong_ini_reader.h"

#include "data/text/gbk_text.h"
#include "readers/ini_section_rows.h"
#include "readers/ini_value.h"

namespace tl {

void readWangzhongList(ReaderContext& context, const std::string& path) {
  ClientGrid& grid = context.grid;
  readIniSectionRows(context, path, [&](const std::string& section, int row) {
    auto value = [&](const char* key) { return readIniValue(context.ini, path, section, key, ""); };
    grid.setCell(row, kColName, section);
    grid.setCell(row, kColIp, value("ip"));
    grid.setCell(row, kColMac, text::replaceAll(value("mac"), ":", "-"));
    grid.setCell(row, kColMask, value("mask"));
    grid.setCell(row, kColGateway, value("Gateway"));
    context.network.fillDns(grid, row);
  });
}

}  // namespace tl
