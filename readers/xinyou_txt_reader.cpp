#include "readers/xinyou_txt_reader.h"

#include <string_view>
#include <vector>

#include "data/text/gbk_text.h"
#include "platform/file_system.h"
#include "readers/local_client_row.h"
#include "readers/text_lines.h"

namespace tl {

namespace {

// The MAC as written, each ":" (a character of its own) turned into "-".
std::string dashedMac(std::string_view mac) {
  std::string out(mac);
  for (size_t i = 0; i < out.size(); i += text::charLength(out, i))
    if (out[i] == ':') out[i] = '-';
  return out;
}

}  // namespace

void readXinyouTxt(ReaderContext& context, const std::string& path) {
  ClientGrid& grid = context.grid;
  grid.clear();
  std::string bytes;
  platform::readFileBytes(path, bytes);  // a file that cannot be read has no lines
  int number = 0;
  std::vector<std::string_view> fields;  // reused for every line
  for (std::string_view line : splitTextLines(bytes)) {
    if (text::contains(line, "Name,IP,Mac,Type", text::Case::Insensitive)) continue;
    // name,IP,MAC,type; blank lines and other short lines are no clients.
    text::splitInto(line, ',', fields);
    if (fields.size() < 3) continue;
    appendClientOnLocalNetwork(grid, context.network, ++number,
                               {std::string(fields[0]), std::string(fields[1]), dashedMac(fields[2])});
  }
  grid.setStatus(kCountField, countFieldText(number));
}

}  // namespace tl
