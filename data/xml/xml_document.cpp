#include "data/xml/xml_document.h"

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
  long long value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    if (value <= std::numeric_limits<int>::max()) value = value * 10 + (c - '0');
  }
  n = value > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max() : int(value);
  return true;
}

// Whether the closing tag `piece` ("/name>" and what follows up to the next
// "<") closes an element named `name`: its bytes other than white space,
// "/" and ">" are the name.
bool closesElement(std::string_view piece, std::string_view name) {
  size_t matched = 0;
  for (char c : piece) {
    if (isWhite(c) || c == '/' || c == '>') continue;
    if (matched == name.size() || name[matched] != c) return false;
    ++matched;
  }
  return matched == name.size();
}

// Attribute names are a few bytes: the size and a plain loop settle them
// sooner than a comparison call.
bool sameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i]) return false;
  return true;
}

}  // namespace

namespace xml {

void TextStore::reset(std::string text) {
  text_ = std::move(text);
  rewritten_.clear();
}

TextPiece TextStore::add(std::string_view bytes) {
  TextPiece piece{text_.size() + rewritten_.size(), bytes.size()};
  rewritten_ += bytes;
  return piece;
}

}  // namespace xml

void XmlDocument::clear() {
  store_.reset({});
  elements_.clear();
  attributes_.clear();
  children_.clear();
  root_ = 0;
}

bool XmlDocument::load(std::string_view bytes) {
  clear();
  store_.reset(xml::documentAsGbk(bytes));
  if (parse()) return true;
  clear();
  return false;
}

bool XmlDocument::loadOwned(std::string&& bytes) {
  clear();
  store_.reset(xml::documentAsGbk(std::move(bytes)));
  if (parse()) return true;
  clear();
  return false;
}

bool XmlDocument::parse() {
  const std::string_view text = store_.text();
  // The open elements, each with where its children start in `pending` (the
  // children of all open elements, innermost last); the pseudo-element
  // "文件" below them is only the empty stack: top-level elements need no
  // parent list of their own.
  struct Open {
    xml::Element element;
    size_t firstPending;
  };
  std::vector<Open> open;
  std::vector<int> pending;
  std::string scratch;
  auto close = [&](Open&& closing) {
    int number = int(elements_.size()) + 1;
    xml::Element& element = closing.element;
    element.firstChild = children_.size();
    element.childCount = pending.size() - closing.firstPending;
    for (size_t k = closing.firstPending; k < pending.size(); ++k) {
      elements_[size_t(pending[k] - 1)].parent = number;
      children_.push_back(pending[k]);
    }
    pending.resize(closing.firstPending);
    if (isBlank(view(element.text))) element.text = {};
    if (!open.empty()) pending.push_back(number);
    elements_.push_back(element);
  };

  // Split at every "<" that does not open a CDATA section.
  size_t pos = 0;
  while (pos <= text.size()) {
    bool sections = false;
    size_t next = xml::nextSplit(text, pos, sections);
    std::string_view piece = text.substr(pos, next - pos);
    pos = next + 1;

    if (isBlank(piece)) continue;
    if (piece.front() == '?' || piece.front() == '!') continue;
    // A piece without a section holds no "<": its first ">" is the tag's end
    // and its text holds no section.
    size_t gt = sections ? xml::findOutsideSections(piece, '>') : piece.find('>');
    if (gt == std::string_view::npos) return false;
    bool closing = piece.front() == '/';
    bool empty = gt > 0 && piece[gt - 1] == '/';
    if (closing && empty) return false;

    if (closing) {
      // A closing tag with nothing open would close the pseudo-element,
      // which is no element: the document is broken.
      if (open.empty() || !closesElement(piece, view(open.back().element.name))) return false;
      Open element = open.back();
      open.pop_back();
      close(std::move(element));
      continue;
    }

    Open element{{}, pending.size()};
    xml::readTag(piece.substr(0, empty ? gt - 1 : gt), store_, element.element, attributes_, scratch);
    if (empty) {
      close(std::move(element));
      continue;
    }
    std::string_view after = piece.substr(gt + 1);
    // A CDATA section in the text stands for all of it.
    std::optional<std::string_view> section = sections ? xml::firstSection(after) : std::nullopt;
    element.element.text = store_.pieceOf(section ? *section : after);
    open.push_back(element);
  }
  // Elements still open are dropped; their closed children stay in the table.
  root_ = int(elements_.size());
  return true;
}

int XmlDocument::resolve(std::string_view path) const {
  if (path.empty()) return 0;
  int current = 0;
  size_t pos = 0;
  while (pos <= path.size()) {
    // Steps are a few bytes: a plain loop finds their end sooner than a search call.
    size_t slash = pos;
    while (slash < path.size() && path[slash] != '/') ++slash;
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
        std::span<const int> children = this->children(current);
        if (n < 1 || size_t(n) > children.size()) return 0;
        current = children[size_t(n - 1)];
      }
    } else if (current == 0) {
      if (root_ == 0 || nameOf(root_) != step) return 0;
      current = root_;
    } else {
      int found = 0;
      for (int child : children(current))
        if (nameOf(child) == step) {
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

std::span<const int> XmlDocument::children(int element) const {
  if (!exists(element)) return {};
  const xml::Element& e = node(element);
  return std::span<const int>(children_).subspan(e.firstChild, e.childCount);
}

bool XmlDocument::attributeView(int element, std::string_view name, std::string_view& value) const {
  if (!exists(element)) return false;
  const xml::Element& e = node(element);
  for (size_t k = e.firstAttribute; k < e.firstAttribute + e.attributeCount; ++k) {
    std::string_view key = view(attributes_[k].name);
    if (!sameName(key, name)) continue;
    value = view(attributes_[k].value);
    return true;
  }
  return false;
}

void XmlDocument::attributeViews(int element, std::span<const std::string_view> names,
                                 std::span<std::string_view> values) const {
  if (!exists(element) || names.empty()) return;
  const size_t wanted = names.size() < 32 ? names.size() : 32;
  const uint32_t all = wanted == 32 ? ~uint32_t(0) : (uint32_t(1) << wanted) - 1;
  uint32_t found = 0;
  const xml::Element& e = node(element);
  for (size_t k = e.firstAttribute; k < e.firstAttribute + e.attributeCount && found != all; ++k) {
    std::string_view key = view(attributes_[k].name);
    for (size_t n = 0; n < wanted; ++n) {
      if ((found >> n & 1) != 0 || !sameName(key, names[n])) continue;
      values[n] = view(attributes_[k].value);
      found |= uint32_t(1) << n;
      // Two wanted names may be the same: each takes the first attribute.
    }
  }
}

bool XmlDocument::attributeValue(int element, std::string_view name, std::string& value) const {
  std::string_view found;
  if (!attributeView(element, name, found)) return false;
  value = found;
  return true;
}

bool XmlDocument::nodeText(int element, std::string& text) const {
  bool found = exists(element);
  if (found)
    text = view(node(element).text);
  else
    text.clear();
  return found;
}

bool XmlDocument::element(int number, XmlNode& out) const {
  if (!exists(number)) return false;
  const xml::Element& e = node(number);
  out.name = view(e.name);
  out.text = view(e.text);
  out.attributes.clear();
  for (size_t k = e.firstAttribute; k < e.firstAttribute + e.attributeCount; ++k)
    out.attributes.emplace_back(view(attributes_[k].name), view(attributes_[k].value));
  std::span<const int> kids = children(number);
  out.children.assign(kids.begin(), kids.end());
  out.parent = e.parent;
  out.number = number;
  return true;
}

}  // namespace tl
