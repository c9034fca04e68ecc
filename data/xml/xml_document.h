#pragma once
// A small, tolerant XML reader for the XML client lists. It splits the
// document at every "<", keeps the elements in a table numbered in the order
// they close (children lower than their parent, the root highest) and answers
// queries by positional paths: "@1" is the root, "@1/@3" its third child,
// "@#7" the element numbered 7, "@#0" the root, any other step a name. It is
// not a conforming parser: no entities, no namespaces, no DTD. A document
// declared encoding="utf-8" is converted to GBK first, so every text it hands
// out is GBK. Nothing throws; failures come back as booleans.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tl {

struct XmlNode {
  std::string name;
  std::string text;  // character data right after the start tag; empty if blank
  std::vector<std::pair<std::string, std::string>> attributes;  // as written
  std::vector<int> children;                                    // element numbers
  int parent = 0;                                               // 0: top level
  int number = 0;
};

class XmlDocument {
 public:
  // Empties the document, converts a declared UTF-8 document and parses it,
  // each CDATA section one token. False (and an empty document) when the
  // parse fails. The same bytes always load the same.
  bool load(std::string_view bytes);
  void clear();

  // Number of children of the element at `path`; 0 and false when the path
  // does not resolve.
  bool childCount(std::string_view path, int& count) const;
  // First attribute named exactly `name`. When the path does not resolve or
  // the attribute is missing, returns false and leaves `value` untouched.
  bool attributeValue(std::string_view path, std::string_view name, std::string& value) const;
  // The element's text; empty and false when the path does not resolve.
  bool nodeText(std::string_view path, std::string& text) const;

  // Element handles, for walking many elements without a path per query:
  // the number of the element `path` names (0 when it does not resolve),
  // the numbers of an element's children, and the queries above by number
  // (0 or a number out of range finds nothing).
  int find(std::string_view path) const { return resolve(path); }
  const std::vector<int>& children(int element) const;
  bool attributeValue(int element, std::string_view name, std::string& value) const;
  bool nodeText(int element, std::string& text) const;

  // Copy of the element numbered `number` (1-based); false when there is none.
  bool element(int number, XmlNode& out) const;
  int elementCount() const { return int(nodes_.size()); }
  int rootNumber() const { return root_; }

  // The document as text: a gb2312 declaration, then the root element with
  // its attributes, text (in a CDATA section when it holds "<") and children,
  // without line breaks.
  std::string toText() const;
  bool saveToFile(const std::string& path) const;

 private:
  bool parse(std::string_view text);
  // Number of the element `path` names, or 0.
  int resolve(std::string_view path) const;
  const XmlNode& node(int number) const { return nodes_[size_t(number - 1)]; }

  std::vector<XmlNode> nodes_;  // element number n at index n - 1
  int root_ = 0;
};

}  // namespace tl
