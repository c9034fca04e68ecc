#pragma once
// CDATA protection for XmlDocument::load: each section is cut out of the
// document and replaced by a marker, ",", its number and ".", so that the "<"
// and ">" inside it cannot disturb the split at "<".
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tl::xml {

struct ProtectedDocument {
  std::string text;                   // the document with markers in place of the sections
  std::string marker;                 // "@" and five capital letters
  std::vector<std::string> sections;  // section n at index n - 1, raw bytes
};

// `randomLetter` gives a capital letter A..Z per call. The marker is drawn
// again, up to 100 times in all, while it occurs in the document. A section
// without its "]]>" is left as it stands.
ProtectedDocument protectCdata(std::string_view document, const std::function<char()>& randomLetter);

// The section that `text` refers to through the marker, when it holds one
// with a number 1..sections.size(); nullptr otherwise.
const std::string* referencedSection(std::string_view text, std::string_view marker,
                                     const std::vector<std::string>& sections);

}  // namespace tl::xml
