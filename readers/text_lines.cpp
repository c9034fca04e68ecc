#include "readers/text_lines.h"

namespace tl {

std::vector<std::string_view> splitTextLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    char c = bytes[i];
    if (c != '\n' && c != '\0' && c != '\x1a') continue;
    size_t end = i;
    if (c == '\n' && end > start && bytes[end - 1] == '\r') --end;
    lines.push_back(bytes.substr(start, end - start));
    start = i + 1;
  }
  if (start < bytes.size()) lines.push_back(bytes.substr(start));
  return lines;
}

}  // namespace tl
