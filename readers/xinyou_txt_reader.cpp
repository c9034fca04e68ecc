#include "readers/xinyou_txt_reader.h"

#include "data/text/gbk_text.h"
#include "platform/file_system.h"
#include "readers/text_lines.h"

namespace tl {

void readXinyouTxt(ReaderContext& context, const std::string& path) {
  ClientGrid& grid = context.grid;
  LocalNetworkDefaults::ReadScope networkRead(context.network);  // asked once, not per row
  grid.clear();
  std::string bytes;
  platform::readFileBytes(path, bytes);  // a file that cannot be read has no lines
  int number = 0;
  for (std::string_view line : splitTextLines(bytes)) {
    if (text::contains(line, "Name,IP,Mac,Type", text::Case::Insensitive)) continue;
    // name,IP,MAC,type; blank lines and other short lines are no clients.
    std::vector<std::string> fields = text::split(line, ',');
    if (fields.size() < 3) continue;
    int row = grid.appendRow(std::to_string(++number));
    grid.setCell(row, kColName, fields[0]);
    grid.setCell(row, kColIp, fields[1]);
    grid.setCell(row, kColMac, text::replaceAll(fields[2], ":", "-"));
    grid.setCell(row, kColMask, context.network.subnetMask());
    grid.setCell(row, kColGateway, context.network.gateway());
    context.network.fillDns(grid, row);
  }
  grid.setStatus(kCountField, countFieldText(number));
}

}  // namespace tl
