#include "editing/export_text.h"

#include "data/text/gbk_text.h"

namespace tl {
namespace {

void fillWord(std::string& line, const std::string& lineTemplate, const char* word, const std::string& value) {
  if (text::contains(lineTemplate, word, text::Case::Insensitive))
    line = text::replaceAll(line, word, value, text::Case::Sensitive);
}

}  // namespace

std::string exportLine(const std::string& lineTemplate, const std::string& name, const std::string& ip,
                       const std::string& mac) {
  std::string line = lineTemplate;
  fillWord(line, lineTemplate, "name", name);
  fillWord(line, lineTemplate, "ip", ip);
  fillWord(line, lineTemplate, "mac", mac);
  return line;
}

std::string buildExportText(const ClientGrid& grid, const std::vector<int>& rows, const std::string& lineTemplate) {
  std::string out;
  for (int r : rows) {
    std::string line = exportLine(lineTemplate, grid.cell(r, kColName), grid.cell(r, kColIp), grid.cell(r, kColMac));
    // An empty text takes the next line without a CR LF, so leading empty
    // lines vanish.
    if (!out.empty()) out += "\r\n";
    out += line;
  }
  return out;
}

}  // namespace tl
