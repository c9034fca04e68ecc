#pragma once
// Reading a start tag or an empty-element tag: the text between "<" and ">".
#include <string_view>

#include "data/xml/xml_document.h"

namespace tl::xml {

// Fills the name and the attributes of `node` from `tag` (without the "/"
// that ends an empty-element tag). White space around each "=" goes first;
// the tag is then cut at spaces outside double quotation marks; the first
// piece is the name; every further piece loses its white space and, when it
// holds "=", gives an attribute whose value loses its double quotation marks.
void readTag(std::string_view tag, XmlNode& node);

}  // namespace tl::xml
