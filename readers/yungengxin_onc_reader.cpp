#include "readers/yungengxin_onc_reader.h"

#include "data/text/gbk_text.h"
#include "platform/file_system.h"
#include "readers/local_client_row.h"
#include "readers/text_lines.h"

namespace tl {
namespace {

// The text after its first `count` characters.
std::string dropCharacters(std::string_view line, size_t count) {
  size_t pos = 0;
  for (size_t i = 0; i < count && pos < line.size(); ++i) pos += text::charLength(line, pos);
  return std::string(line.substr(pos));
}

// The export writes its lines in text mode, so they end in CR CR LF and the
// line reading leaves one CR on every value. A file saved again in an editor
// ends its lines in CR LF or LF: then the last character is part of the value.
void dropTrailingCr(std::string& value) {
  if (!value.empty() && value.back() == '\r') value.pop_back();
}

// The values of one block; a fresh one for every file read.
struct OncBlock {
  std::string mac;
  std::string ip;
};

}  // namespace

void readYungengxinOnc(ReaderContext& context, const std::string& path) {
  ClientGrid& grid = context.grid;
  grid.clear();
  std::string bytes;
  platform::readFileBytes(path, bytes);  // a file that cannot be read has no lines
  int number = 0;
  int lineInBlock = 0;
  OncBlock block;
  // Only the position within the block counts; the prefixes are not checked.
  for (std::string_view line : splitTextLines(bytes)) {
    switch (++lineInBlock) {
      case 1:
        block.mac = text::replaceAll(text::removeAll(text::removeAll(line, '['), ']'), ":", "-");
        break;
      case 2:
        block.ip = dropCharacters(line, 7);  // "IPAddr="
        break;
      default: {
        std::string name = dropCharacters(line, 5);  // "Name="
        dropTrailingCr(name);
        dropTrailingCr(block.ip);
        dropTrailingCr(block.mac);
        appendClientOnLocalNetwork(grid, context.network, ++number, {name, block.ip, block.mac});
        block = OncBlock();
        lineInBlock = 0;
      }
    }
  }
  grid.setStatus(kCountField, countFieldText(number));
}

}  // namespace tl
