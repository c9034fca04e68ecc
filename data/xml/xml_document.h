#pragma once
// A small, tolerant XML reader for the XML client lists. It splits the
// document at every "<", keeps the elements in a table numbered in the order
// they close (children lower than their parent, the root highest) and answers
// queries by positional paths: "@1" is the root, "@1/@3" its third child,
// "@#7" the element numbered 7, "@#0" the root, any other step a name. It is
// not a conforming parser: no entities, no namespaces, no DTD. A document
// declared encoding="utf-8" is converted to GBK first, so every text it hands
// out is GBK. Nothing throws; failures come back as booleans.
//
// The table holds no string of its own per element: names, texts and
// attributes are pieces of the loaded text, or of a second buffer for the
// few that loading rewrites (white space around "=", quotation marks inside
// a value), so a load costs a handful of allocations whatever its size.
#include <cstddef>
#include <cstdint>
#include <span>
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

namespace xml {

// A piece of a document's texts: offsets below the loaded text's size are in
// that text, the others in the buffer of rewritten pieces after it.
struct TextPiece {
  size_t offset = 0;
  size_t size = 0;
};

struct Attribute {
  TextPiece name;
  TextPiece value;
};

// One element of the table; its attributes and children are runs of the
// document's shared lists.
struct Element {
  TextPiece name;
  TextPiece text;
  size_t firstAttribute = 0;
  size_t attributeCount = 0;
  size_t firstChild = 0;
  size_t childCount = 0;
  int parent = 0;
};

// The loaded text and the rewritten pieces; XmlDocument and its tag reader
// add pieces and read them back.
class TextStore {
 public:
  void reset(std::string text);
  std::string_view text() const { return text_; }
  // The piece of the loaded text that `part` (a view into it) is.
  TextPiece pieceOf(std::string_view part) const {
    return {size_t(part.data() - text_.data()), part.size()};
  }
  // A new piece holding `bytes`.
  TextPiece add(std::string_view bytes);
  std::string_view view(TextPiece piece) const {
    if (piece.size == 0) return {};
    if (piece.offset < text_.size()) return {text_.data() + piece.offset, piece.size};
    return {rewritten_.data() + (piece.offset - text_.size()), piece.size};
  }

 private:
  std::string text_;
  std::string rewritten_;
};

}  // namespace xml

class XmlDocument {
 public:
  // Empties the document, converts a declared UTF-8 document and parses it,
  // each CDATA section one token. False (and an empty document) when the
  // parse fails. The same bytes always load the same.
  bool load(std::string_view bytes);
  // The same, taking over the bytes' storage.
  bool loadOwned(std::string&& bytes);
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
  // (0 or a number out of range finds nothing). The views last until the
  // next load or clear.
  int find(std::string_view path) const { return resolve(path); }
  std::span<const int> children(int element) const;
  bool attributeValue(int element, std::string_view name, std::string& value) const;
  // The attribute's value as a view; false when it is missing.
  bool attributeView(int element, std::string_view name, std::string_view& value) const;
  // attributeView for several names (at most 32) in one pass over the
  // element's attributes: values[k] gets the first attribute named names[k]
  // and stays as it is when there is none.
  void attributeViews(int element, std::span<const std::string_view> names, std::span<std::string_view> values) const;
  bool nodeText(int element, std::string& text) const;

  // Copy of the element numbered `number` (1-based); false when there is none.
  bool element(int number, XmlNode& out) const;
  int elementCount() const { return int(elements_.size()); }
  int rootNumber() const { return root_; }

  // The document as text: a gb2312 declaration, then the root element with
  // its attributes, text (in a CDATA section when it holds "<") and children,
  // without line breaks.
  std::string toText() const;
  bool saveToFile(const std::string& path) const;

 private:
  bool parse();
  // Number of the element `path` names, or 0.
  int resolve(std::string_view path) const;
  bool exists(int number) const { return number >= 1 && number <= elementCount(); }
  const xml::Element& node(int number) const { return elements_[size_t(number - 1)]; }
  std::string_view view(xml::TextPiece piece) const { return store_.view(piece); }
  std::string_view nameOf(int number) const { return view(node(number).name); }

  xml::TextStore store_;
  std::vector<xml::Element> elements_;  // element number n at index n - 1
  std::vector<xml::Attribute> attributes_;
  std::vector<int> children_;
  int root_ = 0;
};

}  // namespace tl
