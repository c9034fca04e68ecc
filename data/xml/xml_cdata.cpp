#include "data/xml/xml_cdata.h"

namespace tl::xml {
namespace {

constexpr std::string_view kOpen = "<![CDATA[";
constexpr std::string_view kClose = "]]>";

// The end (one past its "]]>") of the section opening at `at`, or npos when
// no section opens there.
size_t sectionEnd(std::string_view text, size_t at) {
  // Nearly every "<" is a tag's: its next byte settles it without a comparison call.
  if (at + 1 >= text.size() || text[at + 1] != '!' || text.substr(at, kOpen.size()) != kOpen)
    return std::string_view::npos;
  size_t close = text.find(kClose, at + kOpen.size());
  return close == std::string_view::npos ? close : close + kClose.size();
}

}  // namespace

size_t nextSplit(std::string_view text, size_t from) {
  bool skippedSection = false;
  return nextSplit(text, from, skippedSection);
}

size_t nextSplit(std::string_view text, size_t from, bool& skippedSection) {
  skippedSection = false;
  size_t at = text.find('<', from);
  while (at != std::string_view::npos) {
    size_t end = sectionEnd(text, at);
    if (end == std::string_view::npos) return at;
    skippedSection = true;
    at = text.find('<', end);
  }
  return text.size();
}

size_t findOutsideSections(std::string_view piece, char wanted) {
  size_t from = 0;
  while (true) {
    size_t found = piece.find(wanted, from);
    // Only a "<" before the byte found can open a section around it.
    size_t open = piece.substr(0, found).find('<', from);
    if (open == std::string_view::npos) return found;
    size_t end = sectionEnd(piece, open);
    from = end == std::string_view::npos ? open + 1 : end;
  }
}

std::optional<std::string_view> firstSection(std::string_view text) {
  // Most texts hold no "<" at all: one byte search settles them.
  size_t open = text.find('<');
  if (open != std::string_view::npos) open = text.find(kOpen, open);
  if (open == std::string_view::npos) return std::nullopt;
  size_t close = text.find(kClose, open + kOpen.size());
  if (close == std::string_view::npos) return std::nullopt;
  return text.substr(open + kOpen.size(), close - open - kOpen.size());
}

}  // namespace tl::xml
