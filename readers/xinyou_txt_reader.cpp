#include "readers/xinyou_txt_reader.h"

#include "data/text/gbk_text.h"
#include "platform/file_system.h"
#include "readers/local_client_row.h"
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
    appendClientOnLocalNetwork(grid, context.network, ++number,
                               {fields[0], fields[1], text::replaceAll(fields[2], ":", "-")});
  }
  grid.setStatus(kCountField, countFieldText(number));
}

}  // namespace tl
