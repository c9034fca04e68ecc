#include "data/xml/xml_document.h"

#include <charconv>
#include <limits>
#include <optional>

#include "data/xml/xml_cdata.h"
#include "data/xml/xml_encoding.h"
#include "data/xml/xml_tag.h"

namespace tl {
namespace {

bool isWhite(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool isBlank(std::string_view s) {
  for (char c : s)
    if (!isWhite(c)) return false;
  return true;
}

// A step's decimal number: digits only, no sign. A number beyond int counts
// as INT_MAX, larger than any position.
bool readStepNumber(std::string_view digits, int& n) {
  if (digits.empty()) return false;
  for (char c : digits)
    if (c < '0' || c > '9') return false;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
  if (error != std::errc()) n = std::numeric_limits<int>::max();
  return true;
}

}  // namespace

void XmlDocument::clear() {
  nodes_.clear();
  root_ = 0;
}

bool XmlDocument::load(std::string_view bytes) {
  clear();
  if (parse(xml::documentAsGbk(bytes))) return true;
  clear();
  return false;
}

bool XmlDocument::parse(std::string_view text) {
  // The open elements; the pseudo-element "文件" below them is only the
  // empty stack: top-level elements need no parent list of their own.
  std::vector<XmlNode> open;
  auto close = [&](XmlNode&& element) {
    element.number = int(nodes_.size()) + 1;
    for (int child : element.children) nodes_[size_t(child - 1)].parent = element.number;
    if (isBlank(element.text)) element.text.clear();
    if (!open.empty()) open.back().children.push_back(element.number);
    nodes_.push_back(std::move(element));
  };

  // Split at every "<" that does not open a CDATA section.
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t next = xml::nextSplit(text, pos);
    std::string_view piece = text.substr(pos, next - pos);
    pos = next + 1;

    if (isBlank(piece)) continue;
    if (piece.front() == '?' || piece.front() == '!') continue;
    size_t gt = xml::findOutsideSections(piece, '>');
    if (gt == std::string_view::npos) return false;
    bool closing = piece.front() == '/';
    bool empty = gt > 0 && piece[gt - 1] == '/';
    if (closing && empty) return false;

    if (closing) {
      std::string name;
      for (char c : piece)
        if (!isWhite(c) && c != '/' && c != '>') name += c;
      // A closing tag with nothing open would close the pseudo-element,
      // which is no element: the document is broken.
      if (open.empty() || name != open.back().name) return false;
      XmlNode element = std::move(open.back());
      open.pop_back();
      close(std::move(element));
      continue;
    }

    XmlNode element;
    xml::readTag(piece.substr(0, empty ? gt - 1 : gt), element);
    if (empty) {
      close(std::move(element));
      continue;
    }
    std::string_view after = piece.substr(gt + 1);
    // A CDATA section in the text stands for all of it.
    std::optional<std::string_view> section = xml::firstSection(after);
    element.text = section ? *section : after;
    open.push_back(std::move(element));
  }
  // Elements still open are dropped; their closed children stay in the table.
  root_ = int(nodes_.size());
  return true;
}

int XmlDocument::resolve(std::string_view path) const {
  if (path.empty()) return 0;
  int current = 0;
  size_t pos = 0;
  while (pos <= path.size()) {
    size_t slash = path.find('/', pos);
    if (slash == std::string_view::npos) slash = path.size();
    std::string_view step = path.substr(pos, slash - pos);
    pos = slash + 1;

    int n = 0;
    if (step.starts_with("@#")) {
      if (!readStepNumber(step.substr(2), n)) return 0;
      if (n == 0) n = root_;
      if (n < 1 || n > elementCount()) return 0;
      current = n;
    } else if (step == "@") {
      return 0;
    } else if (step.starts_with("@") && readStepNumber(step.substr(1), n)) {
      if (current == 0) {
        if (n != 1 || root_ == 0) return 0;
        current = root_;
      } else {
        const std::vector<int>& children = node(current).children;
        if (n < 1 || size_t(n) > children.size()) return 0;
        current = children[size_t(n - 1)];
      }
    } else if (current == 0) {
      if (root_ == 0 || node(root_).name != step) return 0;
      current = root_;
    } else {
      int found = 0;
      for (int child : node(current).children)
        if (node(child).name == step) {
          found = child;
          break;
        }
      if (found == 0) return 0;
      current = found;
    }
  }
  return current;
}

bool XmlDocument::childCount(std::string_view path, int& count) const {
  int number = resolve(path);
  count = int(children(number).size());
  return number != 0;
}

bool XmlDocument::attributeValue(std::string_view path, std::string_view name, std::string& value) const {
  return attributeValue(resolve(path), name, value);
}

bool XmlDocument::nodeText(std::string_view path, std::string& text) const { return nodeText(resolve(path), text); }

const std::vector<int>& XmlDocument::children(int element) const {
  static const std::vector<int> kNone;
  return element >= 1 && element <= elementCount() ? node(element).children : kNone;
}

bool XmlDocument::attributeValue(int element, std::string_view name, std::string& value) const {
  if (element < 1 || element > elementCount()) return false;
  for (const auto& [key, text] : node(element).attributes)
    if (key == name) {
      value = text;
      return true;
    }
  return false;
}

bool XmlDocument::nodeText(int element, std::string& text) const {
  bool found = element >= 1 && element <= elementCount();
  text = found ? node(element).text : std::string();
  return found;
}

bool XmlDocument::element(int number, XmlNode& out) const {
  if (number < 1 || number > elementCount()) return false;
  out = node(number);
  return true;
}

}  // namespace tl
