#pragma once
// Reading a start tag or an empty-element tag: the text between "<" and ">".
#include <string>
#include <string_view>
#include <vector>

#include "data/xml/xml_document.h"

namespace tl::xml {

// Sets the name and the attributes of `element` from `tag` (a view into the
// store's text, without the "/" that ends an empty-element tag); the
// attributes are appended to `attributes`. White space around each "=" goes
// first; the tag is then cut at spaces outside double quotation marks; the
// first piece is the name; every further piece loses its white space and,
// when it holds "=", gives an attribute whose value loses its double
// quotation marks. `scratch` is working space kept across tags.
void readTag(std::string_view tag, TextStore& store, Element& element, std::vector<Attribute>& attributes,
             std::string& scratch);

// The same without the one-pass reading of the usual tag that readTag tries
// first: every tag goes through the cutting described above. The two give
// the same names and values for every tag; the tests hold them to it.
void readAnyTag(std::string_view tag, TextStore& store, Element& element, std::vector<Attribute>& attributes,
                std::string& scratch);

}  // namespace tl::xml
