#include "readers/fanggezi_txt_reader.h"

#include "data/text/gbk_text.h"
#include "platform/file_system.h"
#include "readers/text_lines.h"

namespace tl {

void readFanggeziTxt(ReaderContext& context, const std::string& path) {
  ClientGrid& grid = context.grid;
  grid.clear();
  std::string bytes;
  platform::readFileBytes(path, bytes);  // a file that cannot be read has no lines
  int number = 0;
  for (std::string_view line : splitTextLines(bytes)) {
    if (!text::contains(line, "|", text::Case::Sensitive)) continue;
    // 序号|name|MAC|IP|mask|gateway; a short line sets only the cells it has.
    std::vector<std::string> fields = text::split(line, '|');
    int row = grid.appendRow(std::to_string(++number));
    if (fields.size() >= 2) grid.setCell(row, kColName, fields[1]);
    if (fields.size() >= 3) grid.setCell(row, kColMac, text::replaceAll(fields[2], ":", "-"));
    if (fields.size() >= 4) grid.setCell(row, kColIp, fields[3]);
    if (fields.size() >= 5) grid.setCell(row, kColMask, fields[4]);
    if (fields.size() >= 6) grid.setCell(row, kColGateway, fields[5]);
    context.network.fillDns(grid, row);
  }
  grid.setStatus(kCountField, countFieldText(number));
}

}  // namespace tl
