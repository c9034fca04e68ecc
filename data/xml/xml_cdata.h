#pragma once
// CDATA sections while XmlDocument::load splits the document at "<": a
// section, from "<![CDATA[" to the first "]]>" after it, is one token, so
// the "<" and ">" inside it are no structure. A "<![CDATA[" without a "]]>"
// after it opens no section; its "<" splits like any other.
#include <cstddef>
#include <optional>
#include <string_view>

namespace tl::xml {

// The position of the next "<" at or after `from` that does not open a
// section; text.size() when there is none.
size_t nextSplit(std::string_view text, size_t from);
// The same, telling whether a section lies between `from` and that "<":
// when none does, no "<" does either.
size_t nextSplit(std::string_view text, size_t from, bool& skippedSection);

// The position of the first ">" in `piece` outside its sections; npos when
// there is none.
size_t findOutsideSections(std::string_view piece, char wanted);

// The content of the first section in `text`; nullopt when it holds none.
std::optional<std::string_view> firstSection(std::string_view text);

}  // namespace tl::xml
