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
  auto openTag = [&](const XmlNode& element) {
    out += '<';
    out += element.name;
    for (const auto& [name, value] : element.attributes) {
      out += ' ';
      out += name;
      out += "=\"";
      out += value;
      out += '"';
    }
    out += '>';
    if (element.text.find('<') != std::string::npos) {
      out += "<![CDATA[";
      out += element.text;
      out += "]]>";
    } else {
      out += element.text;
    }
  };
  openTag(node(root_));
  while (!stack.empty()) {
    auto& [number, written] = stack.back();
    const XmlNode& element = node(number);
    if (written < element.children.size()) {
      int child = element.children[written++];
      openTag(node(child));
      stack.emplace_back(child, 0);
    } else {
      out += "</";
      out += element.name;
      out += '>';
      stack.pop_back();
    }
  }
  return out;
}

bool XmlDocument::saveToFile(const std::string& path) const { return platform::writeFileBytes(path, toText()); }

}  // namespace tl
