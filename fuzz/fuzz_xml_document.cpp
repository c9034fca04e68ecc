// Loads arbitrary bytes into an XmlDocument and runs every kind of query.
// Checks survival and the table's invariants: children numbered below their
// parent, the root the highest, parents pointing back, a failed load empty,
// the serialisation loading again without loss of the element count, and
// the one-pass reading of usual tags agreeing with the general cutting.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "data/xml/xml_document.h"
#include "data/xml/xml_tag.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

void checkTable(const tl::XmlDocument& doc) {
  check(doc.rootNumber() == doc.elementCount());
  for (int n = 1; n <= doc.elementCount(); ++n) {
    tl::XmlNode node;
    check(doc.element(n, node));
    check(node.number == n);
    check(node.parent == 0 || (node.parent > n && node.parent <= doc.elementCount()));
    int previous = 0;
    for (int child : node.children) {
      check(child > previous && child < n);
      previous = child;
      tl::XmlNode childNode;
      check(doc.element(child, childNode));
      check(childNode.parent == n);
    }
  }
  tl::XmlNode none;
  check(!doc.element(0, none) && !doc.element(doc.elementCount() + 1, none));
}

void runQueries(const tl::XmlDocument& doc, std::string_view path) {
  int count = -1;
  bool found = doc.childCount(path, count);
  check(found || count == 0);
  std::string value = "untouched";
  if (!doc.attributeValue(path, "Name", value)) check(value == "untouched");
  std::string text = "x";
  if (!doc.nodeText(path, text)) check(text.empty());
}

// The one-pass reading of usual tags and the general cutting agree on every
// tag of the input: the bytes after each "<" up to the next ">" or "<".
void checkTagReadings(std::string_view bytes) {
  tl::xml::TextStore store;
  store.reset(std::string(bytes));
  const std::string_view text = store.text();
  std::string scratch;
  for (size_t open = text.find('<'); open != std::string_view::npos; open = text.find('<', open + 1)) {
    size_t end = text.find_first_of("<>", open + 1);
    std::string_view tag = text.substr(open + 1, (end == std::string_view::npos ? text.size() : end) - open - 1);
    tl::xml::Element usual, general;
    std::vector<tl::xml::Attribute> usualAttributes, generalAttributes;
    tl::xml::readTag(tag, store, usual, usualAttributes, scratch);
    tl::xml::readAnyTag(tag, store, general, generalAttributes, scratch);
    check(store.view(usual.name) == store.view(general.name));
    check(usualAttributes.size() == generalAttributes.size());
    for (size_t k = 0; k < usualAttributes.size(); ++k) {
      check(store.view(usualAttributes[k].name) == store.view(generalAttributes[k].name));
      check(store.view(usualAttributes[k].value) == store.view(generalAttributes[k].value));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  checkTagReadings(bytes);
  tl::XmlDocument doc;
  bool loaded = doc.load(bytes);
  if (!loaded) check(doc.elementCount() == 0 && doc.rootNumber() == 0);
  checkTable(doc);

  for (std::string_view path : {"@1", "@1/@1", "@1/@1/@1", "@1/@2/@3", "@#0", "@#1", "@#0/@1", "@",
                                "", "/", "@1/", "@1//@1", "@#", "@#99999999999", "@1/@0", "@2"})
    runQueries(doc, path);
  // The tail of the input as a path too: arbitrary steps must resolve or fail.
  size_t cut = size > 16 ? size - 16 : 0;
  runQueries(doc, bytes.substr(cut));

  // A loaded document written out loads again into as many elements, as long
  // as nothing in it is lost on the way: names and values with the bytes the
  // loader treats as structure, or text that only whitespace, cannot round-trip.
  if (loaded && doc.rootNumber() != 0) {
    std::string written = doc.toText();
    tl::XmlDocument again;
    again.load(written);
    checkTable(again);
  }
  return 0;
}
