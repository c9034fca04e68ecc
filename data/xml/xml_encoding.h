#pragma once
// The encoding step of XmlDocument::load.
#include <string>
#include <string_view>

namespace tl::xml {

// The value the declaration gives after "encoding": the text from just after
// the word up to the next "?>", with "=" and double quotation marks removed,
// spaces (ASCII and the full-width A1A1) trimmed and letters in lower case.
// Empty when there is no "?>" after it. A document without the word looks
// from its seventh byte on, as the lists' own tools did.
std::string declaredEncoding(std::string_view text);

// The bytes up to the first NUL, converted from UTF-8 to GBK when the
// declared encoding is exactly "utf-8" (so single quotes or a further
// attribute such as standalone leave the document as it is).
std::string documentAsGbk(std::string_view bytes);
// The same, reusing `bytes`' storage when nothing is converted.
std::string documentAsGbk(std::string&& bytes);

}  // namespace tl::xml
