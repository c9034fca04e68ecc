#include <utility>
#include <vector>

#include "data/xml/xml_document.h"
#include "platform/file_system.h"

namespace tl {

std::string XmlDocument::toText() const {
  std::string out = "<?xml version=\"1.0\" encoding=\"gb2312\"?>";
  if (root_ == 0) return out;
  // Depth-first with an explicit stack: a list nested a hundred thousand
  // levels deep must not exhaust the call stack. Each entry is an element and
  // how many of its children are written already.
  std::vector<std::pair<int, size_t>> stack{{root_, 0}};
  auto openTag = [&](int number) {
    const xml::Element& element = node(number);
    out += '<';
    out += view(element.name);
    for (size_t k = element.firstAttribute; k < element.firstAttribute + element.attributeCount; ++k) {
      out += ' ';
      out += view(attributes_[k].name);
      out += "=\"";
      out += view(attributes_[k].value);
      out += '"';
    }
    out += '>';
    std::string_view text = view(element.text);
    if (text.find('<') != std::string_view::npos) {
      out += "<![CDATA[";
      out += text;
      out += "]]>";
    } else {
      out += text;
    }
  };
  openTag(root_);
  while (!stack.empty()) {
    auto& [number, written] = stack.back();
    std::span<const int> children = this->children(number);
    if (written < children.size()) {
      int child = children[written++];
      openTag(child);
      stack.emplace_back(child, 0);
    } else {
      out += "</";
      out += nameOf(number);
      out += '>';
      stack.pop_back();
    }
  }
  return out;
}

bool XmlDocument::saveToFile(const std::string& path) const { return platform::writeFileBytes(path, toText()); }

}  // namespace tl
