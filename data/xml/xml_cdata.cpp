#include "data/xml/xml_cdata.h"

#include <charconv>

namespace tl::xml {

ProtectedDocument protectCdata(std::string_view document, const std::function<char()>& randomLetter) {
  ProtectedDocument result;
  for (int attempt = 0; attempt < 100; ++attempt) {
    result.marker.assign(6, '@');
    for (size_t i = 1; i < result.marker.size(); ++i) result.marker[i] = randomLetter();
    if (document.find(result.marker) == std::string_view::npos) break;
  }

  constexpr std::string_view kOpen = "<![CDATA[";
  constexpr std::string_view kClose = "]]>";
  result.text.reserve(document.size());
  size_t pos = 0;
  while (pos < document.size()) {
    size_t open = document.find(kOpen, pos);
    if (open == std::string_view::npos) break;
    size_t close = document.find(kClose, open + kOpen.size());
    if (close == std::string_view::npos) break;
    result.text.append(document, pos, open - pos);
    result.sections.emplace_back(document.substr(open + kOpen.size(), close - open - kOpen.size()));
    result.text += result.marker;
    result.text += ',';
    result.text += std::to_string(result.sections.size());
    result.text += '.';
    pos = close + kClose.size();
  }
  result.text.append(document, std::min(pos, document.size()));
  return result;
}

const std::string* referencedSection(std::string_view text, std::string_view marker,
                                     const std::vector<std::string>& sections) {
  size_t at = text.find(marker);
  if (at == std::string_view::npos) return nullptr;
  std::string_view rest = text.substr(at + marker.size());
  if (rest.empty() || rest.front() != ',') return nullptr;
  rest.remove_prefix(1);
  std::string_view digits = rest.substr(0, rest.find('.'));
  size_t n = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
  if (error != std::errc() || end != digits.data() + digits.size() || digits.empty()) return nullptr;
  if (n < 1 || n > sections.size()) return nullptr;
  return &sections[n - 1];
}

}  // namespace tl::xml
