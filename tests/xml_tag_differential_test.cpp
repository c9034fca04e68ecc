// readTag reads the usual tag in one pass and hands every other tag to the
// general cutting (readAnyTag). Both must give the same name and attributes
// for every tag: every short tag over the bytes that matter, and long random
// ones whose names and values cross the sixteen-byte steps of the scan.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "data/xml/xml_tag.h"

namespace tl {
namespace {

struct ReadTag {
  std::string name;
  std::vector<std::pair<std::string, std::string>> attributes;
  bool operator==(const ReadTag&) const = default;
};

using TagReader = void (*)(std::string_view, xml::TextStore&, xml::Element&, std::vector<xml::Attribute>&,
                           std::string&);

// Reads `tag`, which lies at the start of a loaded text followed by `after`
// (what a document has past a tag's end is never part of it).
ReadTag readWith(TagReader reader, const std::string& tag, const std::string& after) {
  xml::TextStore store;
  store.reset(tag + after);
  xml::Element element;
  std::vector<xml::Attribute> attributes(1);  // an earlier element's attribute stays
  std::string scratch;
  reader(store.text().substr(0, tag.size()), store, element, attributes, scratch);
  EXPECT_EQ(element.firstAttribute, 1u);
  EXPECT_EQ(attributes.size(), element.firstAttribute + element.attributeCount);
  ReadTag read{std::string(store.view(element.name)), {}};
  for (size_t k = element.firstAttribute; k < attributes.size(); ++k)
    read.attributes.emplace_back(store.view(attributes[k].name), store.view(attributes[k].value));
  return read;
}

// Both readers, with the tag at the very end of the text and with a ">" and
// bytes that would end a name or a value after it.
void expectSameReading(const std::string& tag) {
  for (const std::string after : {"", "> = \"\t!x"}) {
    ReadTag general = readWith(xml::readAnyTag, tag, after);
    ReadTag usual = readWith(xml::readTag, tag, after);
    ASSERT_EQ(usual, general) << "tag [" << tag << "] followed by [" << after << "]";
  }
}

TEST(XmlTagReading, EveryShortTagReadsAsTheGeneralCuttingReadsIt) {
  const std::string bytes = {'a', ' ', '=', '"', '\t', '!', '\xB0'};
  const size_t longest = 7;
  std::vector<size_t> digits;
  while (digits.size() <= longest) {
    std::string tag;
    for (size_t d : digits) tag += bytes[d];
    expectSameReading(tag);
    if (HasFatalFailure()) return;
    // The next tag: count in base bytes.size(), one byte longer after the last.
    size_t k = 0;
    while (k < digits.size() && ++digits[k] == bytes.size()) digits[k++] = 0;
    if (k == digits.size()) digits.push_back(0);
  }
}

TEST(XmlTagReading, OddAndLongTagsReadAsTheGeneralCuttingReadsThem) {
  const std::vector<std::string> tags = {
      "Computer Name=\"PC1\" MAC=\"00:11:22:33:44:55\" IP=\"192.168.0.1\"",
      "Computer Name = \"PC1\" MAC  =  \"00:11\"   IP=\"1\"   ",
      "C cName=\"\xCD\xF8\xB0\xC9\x30\x30\x30\x30\x31\" MAC=\"001a2b000001\" clientIP=\"10.0.0.1\"",
      "r a=\"1\"b=\"2\"",                 // no space between attributes
      "r a=\"x y\"",                      // a quoted space goes
      "r a = \"1\" b\t=\r\n\"2\" c='3'",  // mixed white space, single quotes
      "r a=\"1\" checked b=\"2\"",        // a piece without "="
      "r a=\"1\" =\"2\"",                 // an "=" without a name
      "r a=1 b=\"2\"",                    // a value without quotation marks
      "r a=\"1=2\" b=\"x\"y\"\"",         // "=" and quotation marks in values
      "r a=\"unclosed",
      " r a=\"1\"",
      "",
      "r  ",
      "r a=\"\"",
      "r aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa=\"bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb\" c=\"dddddddddddddddd\"",
      "r a=\"0123456789abcdef\" b=\"0123456789abcde\" c=\"0123456789abcdefg\"",
      "r a=\"\x01\" b=\"\x7F\xFF\x80\"",
      "r a=\"<![CDATA[x]]>\"",
  };
  for (const std::string& tag : tags) expectSameReading(tag);

  // Long random tags from the bytes that matter, mostly plain ones.
  std::mt19937 random(20261211);
  const std::string plain = "abcXYZ09:.-_\xB0\xA1\x81\x40/<>&'";
  const std::string special = " \t\r\n=\"!";
  for (int n = 0; n < 20000 && !HasFatalFailure(); ++n) {
    std::string tag;
    size_t size = random() % 80;
    int specialShare = int(random() % 4) + 1;  // in 20
    for (size_t i = 0; i < size; ++i)
      tag += int(random() % 20) < specialShare ? special[random() % special.size()] : plain[random() % plain.size()];
    expectSameReading(tag);
  }
  // And usual tags of every length around the steps of the scan.
  for (size_t nameSize = 0; nameSize < 40 && !HasFatalFailure(); ++nameSize)
    for (size_t valueSize = 0; valueSize < 40; ++valueSize)
      expectSameReading("r " + std::string(nameSize + 1, 'n') + "=\"" + std::string(valueSize, 'v') + "\" x=\"y\"");
}

}  // namespace
}  // namespace tl
