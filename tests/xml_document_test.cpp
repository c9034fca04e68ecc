#include "data/xml/xml_document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/xml/xml_cdata.h"
#include "data/xml/xml_encoding.h"
#include "tests/support/temp_dir.h"

namespace tl {
namespace {

// UTF-8 bytes of a literal (plain literals are GBK in this build).
std::string utf8(const char8_t* s) { return reinterpret_cast<const char*>(s); }

enum class Ask { Count, Attribute, Text };

struct Query {
  Ask ask;
  std::string path;
  std::string attribute;  // Ask::Attribute only
  bool found;
  std::string expected;  // count in decimal, value, or text
};

struct DocumentCase {
  const char* label;
  std::string document;
  bool loads;
  std::vector<Query> queries;
};

Query count(std::string path, bool found, int n) { return {Ask::Count, std::move(path), "", found, std::to_string(n)}; }
Query attr(std::string path, std::string name, bool found, std::string value = "") {
  return {Ask::Attribute, std::move(path), std::move(name), found, std::move(value)};
}
Query textOf(std::string path, bool found, std::string text) {
  return {Ask::Text, std::move(path), "", found, std::move(text)};
}

TEST(XmlDocument, DocumentsAnswerTheirQueries) {
  const std::vector<DocumentCase> cases = {
      {"empty-element slash right after a quote and after a space",
       "<r><c Name=\"a\"/><c Name=\"b\" /></r>",
       true,
       {count("@1", true, 2), attr("@1/@1", "Name", true, "a"), attr("@1/@2", "Name", true, "b")}},
      {"a position beyond the children",
       "<r><a/><b/><c/></r>",
       true,
       {count("@1/@5", false, 0), count("@1/@0", false, 0), count("@1/@3", true, 0)}},
      {"a word is the text; a line break before a child is not",
       "<r><w>hello</w><p>\n   <c/>\n</p><s> two words </s></r>",
       true,
       {textOf("@1/@1", true, "hello"), textOf("@1/@2", true, ""), textOf("@1/@3", true, " two words "),
        textOf("@1/@9", false, "")}},
      {"the second top-level element is the root",
       "<a x=\"1\"/>\n<b x=\"2\"/>",
       true,
       {attr("@1", "x", true, "2"), attr("b", "x", true, "2"), attr("a", "x", false)}},
      {"CDATA with < and > is the element's text",
       "<r><c><![CDATA[a<b>c]]></c><d/></r>",
       true,
       {count("@1", true, 2), textOf("@1/@1", true, "a<b>c")}},
      {"CDATA among other text replaces all of it",
       "<r>before<![CDATA[<kept>]]>after</r>",
       true,
       {textOf("@1", true, "<kept>")}},
      {"a CDATA section without its end is left as it stands",
       "<r><![CDATA[abc</r>",
       true,
       {count("@1", true, 0), textOf("@1", true, "")}},
      {"closing tag that does not match empties the document",
       "<r><a></b></r>",
       false,
       {count("@1", false, 0), attr("@1", "x", false), textOf("@#0", false, "")}},
      {"numbering on close: children below parents, the root highest",
       "<r><a n=\"a\"><b n=\"b\"/></a><c n=\"c\"/></r>",
       true,
       {attr("@#1", "n", true, "b"), attr("@#2", "n", true, "a"), attr("@#3", "n", true, "c"),
        count("@#4", true, 2), count("@#0", true, 2), count("@#00", true, 2), count("@#5", false, 0),
        count("@#x", false, 0), count("@#", false, 0), count("@#-1", false, 0),
        attr("@#2/@1", "n", true, "b")}},
      {"names as steps, case-sensitive, first match",
       "<r><a k=\"1\"/><a k=\"2\"/><B k=\"3\"/></r>",
       true,
       {attr("r/a", "k", true, "1"), attr("r/B", "k", true, "3"), attr("r/b", "k", false),
        attr("a", "k", false), attr("R", "k", false), attr("@1/a", "k", true, "1")}},
      {"invalid steps",
       "<r><a/></r>",
       true,
       {count("", false, 0), count("@", false, 0), count("@2", false, 0), count("@0", false, 0),
        count("@1/@", false, 0), count("@1/", false, 0), count("@1/@99999999999", false, 0),
        count("@1/@1/@1", false, 0)}},
      {"white space around = goes; quoted spaces are dropped; single quotes stay",
       "<r a = \"1\" b\t=\r\n\"2\" c='3' d=\"x y\" e g=\"a\"b\"\" n=\"1\" n=\"2\">t</r>",
       true,
       {attr("@1", "a", true, "1"), attr("@1", "b", true, "2"), attr("@1", "c", true, "'3'"),
        attr("@1", "d", true, "xy"), attr("@1", "e", false), attr("@1", "g", true, "ab"),
        attr("@1", "n", true, "1"), attr("@1", "N", false)}},
      {"long names and values keep every rule: white space and inner quotation marks inside them go",
       "<r><c Name=\"abcdefghijklmnopqrstuvwxyz\" Long=\"0123456789abcdef\t0123456789\" "
       "Quote=\"abcdefghijklmnop\"qrstuvwxyz\"/></r>",
       true,
       {attr("@1/@1", "Name", true, "abcdefghijklmnopqrstuvwxyz"),
        attr("@1/@1", "Long", true, "0123456789abcdef0123456789"),
        attr("@1/@1", "Quote", true, "abcdefghijklmnopqrstuvwxyz")}},
      {"white space at an = late in a long tag, even inside quotation marks, goes as early on",
       "<r><c AAAAAAAAAAAAAAAAAAAA=\"1\" B=\"22222222222222222222\" C = \"3\" D=\"x = y\"/></r>",
       true,
       {attr("@1/@1", "AAAAAAAAAAAAAAAAAAAA", true, "1"), attr("@1/@1", "B", true, "22222222222222222222"),
        attr("@1/@1", "C", true, "3"), attr("@1/@1", "D", true, "x=y")}},
      {"a mixed run before = keeps its space, splitting the name off",
       "<r a \t= \"1\"/>",
       true,
       {attr("@1", "a", false), attr("@1", "", true, "1")}},
      {"tabs and line breaks are no separators",
       "<r\ta=\"1\" b=\"2\"\tc=\"3\"/>",
       true,
       {attr("r\ta=\"1\"", "b", true, "2c=3"), attr("r", "b", false)}},
      {"entities reach the caller as written",
       "<r v=\"&lt;\">a &amp; b</r>",
       true,
       {textOf("@1", true, "a &amp; b"), attr("@1", "v", true, "&lt;")}},
      {"declarations, comments and DOCTYPE are skipped",
       "<?xml version=\"1.0\"?>\n<!DOCTYPE r>\n<!-- note -->\n<r><!-- inside --><a/></r>",
       true,
       {count("@1", true, 1)}},
      {"text before the first < fails", "junk<r/>", false, {count("@1", false, 0)}},
      {"text after a closing tag fails", "<r><a></a>junk</r>", false, {count("@1", false, 0)}},
      {"a piece without > fails", "<r><a</r>", false, {count("@1", false, 0)}},
      {"closing and empty at once fails", "<r></a/></r>", false, {count("@1", false, 0)}},
      {"a closing tag with nothing open fails", "<a/></a>", false, {count("@1", false, 0)}},
      {"closing the pseudo-element by its name fails", "<a/></文件>", false, {count("@1", false, 0)}},
      {"elements still open are dropped; the last closed is the root",
       "<r><a k=\"1\"></a>",
       true,
       {attr("@1", "k", true, "1"), count("@#0", true, 0), count("@#2", false, 0)}},
      {"an empty or blank document loads with nothing in it",
       " \r\n\t",
       true,
       {count("@1", false, 0), count("@#0", false, 0)}},
      {"bytes after a NUL are not read",
       std::string("<r><a/>\0<b/></r>", 16),
       true,
       {count("@1", true, 0), attr("@1", "x", false)}},
      {"GBK names and values",
       "<机房 名称=\"一号\"><电脑>显示</电脑></机房>",
       true,
       {attr("机房", "名称", true, "一号"), textOf("机房/电脑", true, "显示")}},
  };
  for (const DocumentCase& c : cases) {
    SCOPED_TRACE(c.label);
    XmlDocument doc;
    EXPECT_EQ(doc.load(c.document), c.loads);
    for (const Query& q : c.queries) {
      SCOPED_TRACE(q.path);
      if (q.ask == Ask::Count) {
        int n = -1;
        EXPECT_EQ(doc.childCount(q.path, n), q.found);
        EXPECT_EQ(std::to_string(n), q.expected);
      } else if (q.ask == Ask::Attribute) {
        std::string value = "before";
        EXPECT_EQ(doc.attributeValue(q.path, q.attribute, value), q.found);
        EXPECT_EQ(value, q.found ? q.expected : "before");  // untouched when not found
      } else {
        std::string text = "before";
        EXPECT_EQ(doc.nodeText(q.path, text), q.found);
        EXPECT_EQ(text, q.expected);
      }
    }
  }
}

TEST(XmlDocument, EachLoadReplacesTheLastAndAFailedLoadLeavesNothing) {
  XmlDocument doc;
  ASSERT_TRUE(doc.load("<r><a/><b/></r>"));
  int n = 0;
  EXPECT_TRUE(doc.childCount("@1", n));
  EXPECT_EQ(n, 2);
  EXPECT_FALSE(doc.load("<r><a></r>"));
  EXPECT_FALSE(doc.childCount("@1", n));
  EXPECT_EQ(doc.elementCount(), 0);
  ASSERT_TRUE(doc.load("<x/>"));
  doc.clear();
  EXPECT_FALSE(doc.childCount("@1", n));
  EXPECT_EQ(doc.rootNumber(), 0);
}

TEST(XmlDocument, SeveralAttributesInOnePassAnswerAsOneAtATime) {
  XmlDocument doc;
  ASSERT_TRUE(doc.load("<r><c b=\"1\" a=\"2\" b=\"3\" B=\"4\" e=\"\"/></r>"));
  const int element = doc.find("@1/@1");
  const std::string_view names[] = {"a", "b", "missing", "b", "e", "B", ""};
  std::string_view values[std::size(names)];
  values[2] = "kept";
  doc.attributeViews(element, names, values);
  for (size_t k = 0; k < std::size(names); ++k) {
    std::string_view one = "kept";
    bool found = doc.attributeView(element, names[k], one);
    EXPECT_EQ(values[k], found ? one : (k == 2 ? "kept" : "")) << names[k];
  }
  EXPECT_EQ(values[1], "1");  // the first of two
  EXPECT_EQ(values[3], "1");

  // An element that is not there sets nothing.
  std::string_view untouched[] = {"x"};
  doc.attributeViews(0, std::span(names, 1), untouched);
  doc.attributeViews(99, std::span(names, 1), untouched);
  EXPECT_EQ(untouched[0], "x");
}

TEST(XmlDocument, ParentsAndNumbersOfTheTable) {
  XmlDocument doc;
  ASSERT_TRUE(doc.load("<r><a><b/><c/></a><d/></r>"));
  // b=1 c=2 a=3 d=4 r=5
  XmlNode node;
  ASSERT_TRUE(doc.element(3, node));
  EXPECT_EQ(node.name, "a");
  EXPECT_EQ(node.parent, 5);
  EXPECT_EQ(node.children, (std::vector<int>{1, 2}));
  ASSERT_TRUE(doc.element(5, node));
  EXPECT_EQ(node.parent, 0);
  EXPECT_EQ(node.children, (std::vector<int>{3, 4}));
  EXPECT_FALSE(doc.element(6, node));
  EXPECT_FALSE(doc.element(0, node));
}

struct EncodingCase {
  const char* label;
  std::string declaration;
  bool converts;
};

TEST(XmlDocument, OnlyADoubleQuotedUtf8DeclarationConverts) {
  const std::vector<EncodingCase> cases = {
      {"utf-8", "<?xml version=\"1.0\" encoding=\"utf-8\"?>", true},
      {"UTF-8 upper case", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>", true},
      {"spaces around =", "<?xml version=\"1.0\" encoding = \"Utf-8\" ?>", true},
      {"single quotes", "<?xml version=\"1.0\" encoding='utf-8'?>", false},
      {"standalone after it", "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?>", false},
      {"gb2312", "<?xml version=\"1.0\" encoding=\"gb2312\"?>", false},
      {"no declaration", "", false},
      {"no ?> after the word", "<?xml version=\"1.0\" encoding=\"utf-8\">", false},
  };
  const std::string body = utf8(u8"<r 名=\"机房一号\">网吧</r>");
  for (const EncodingCase& c : cases) {
    SCOPED_TRACE(c.label);
    XmlDocument doc;
    ASSERT_TRUE(doc.load(c.declaration + body));
    std::string name = "unset", text;
    doc.nodeText("@1", text);
    if (c.converts) {
      EXPECT_TRUE(doc.attributeValue("@1", "名", name));
      EXPECT_EQ(name, "机房一号");
      EXPECT_EQ(text, "网吧");
    } else {
      EXPECT_FALSE(doc.attributeValue("@1", "名", name));  // the name is still UTF-8
      EXPECT_EQ(text, utf8(u8"网吧"));
    }
  }
}

TEST(XmlDocument, DeclaredEncodingValue) {
  EXPECT_EQ(xml::declaredEncoding("<?xml encoding=\"\xA1\xA1UTF-8 \"?>"), "utf-8");
  EXPECT_EQ(xml::declaredEncoding("<?xml ENCODING=gb2312?>"), "gb2312");
  // Without the word the value is read from the seventh byte.
  EXPECT_EQ(xml::declaredEncoding("<?xml utf-8?>"), "utf-8");
  EXPECT_EQ(xml::declaredEncoding("<r/>"), "");
  EXPECT_EQ(xml::declaredEncoding("encoding"), "");
}

TEST(XmlDocument, CdataSectionsAreOneTokenWhateverTheDocumentHolds) {
  // Text that looks like a stand-in for a section stays as written, and the
  // sections still become their elements' texts, on every load alike.
  const std::string document =
      "<r><a>@AAAAA,2.</a><b><![CDATA[x<y>]]></b><c n=\"@AAAAA,1.\">t<![CDATA[]]>u</c><d><![CDATA[<![CDATA[z]]></d></r>";
  for (int load = 0; load < 2; ++load) {
    XmlDocument doc;
    ASSERT_TRUE(doc.load(document));
    std::string text, value;
    EXPECT_TRUE(doc.nodeText("@1/@1", text));
    EXPECT_EQ(text, "@AAAAA,2.");
    EXPECT_TRUE(doc.nodeText("@1/@2", text));
    EXPECT_EQ(text, "x<y>");
    EXPECT_TRUE(doc.attributeValue("@1/@3", "n", value));
    EXPECT_EQ(value, "@AAAAA,1.");
    EXPECT_TRUE(doc.nodeText("@1/@3", text));
    EXPECT_EQ(text, "");  // an empty section
    EXPECT_TRUE(doc.nodeText("@1/@4", text));
    EXPECT_EQ(text, "<![CDATA[z");  // a section ends at its first "]]>"
  }

  EXPECT_EQ(xml::nextSplit("a<![CDATA[<]]>b<c", 0), 15u);
  EXPECT_EQ(xml::nextSplit("<![CDATA[no end <c", 0), 0u);  // no "]]>": an ordinary "<"
  EXPECT_EQ(xml::nextSplit("abc", 1), 3u);
  EXPECT_EQ(xml::findOutsideSections("a<![CDATA[>]]>>", '>'), 14u);
  EXPECT_EQ(xml::findOutsideSections("a<![CDATA[>", '>'), 10u);
  EXPECT_EQ(xml::firstSection("t<![CDATA[one]]><![CDATA[two]]>"), "one");
  EXPECT_EQ(xml::firstSection("<![CDATA[open"), std::nullopt);
}

TEST(XmlDocument, WritesTheDocumentAndReadsItBack) {
  XmlDocument doc;
  ASSERT_TRUE(doc.load("<r a=\"1\" b='2'>\n <c>x &amp; y</c><d><![CDATA[<b>]]></d><e/></r>"));
  const std::string expected =
      "<?xml version=\"1.0\" encoding=\"gb2312\"?>"
      "<r a=\"1\" b=\"'2'\"><c>x &amp; y</c><d><![CDATA[<b>]]></d><e></e></r>";
  EXPECT_EQ(doc.toText(), expected);

  test::TempDir dir;
  std::string path = dir.file("out.xml");
  ASSERT_TRUE(doc.saveToFile(path));
  EXPECT_EQ(test::readAll(path), expected);
  XmlDocument again;
  ASSERT_TRUE(again.load(test::readAll(path)));
  EXPECT_EQ(again.toText(), expected);

  doc.clear();
  EXPECT_EQ(doc.toText(), "<?xml version=\"1.0\" encoding=\"gb2312\"?>");
  EXPECT_FALSE(doc.saveToFile(dir.file("no/such/dir/out.xml")));
}

TEST(XmlDocument, DeepNestingNeitherCrashesNorRecurses) {
  const int depth = 100000;
  std::string document;
  for (int i = 0; i < depth; ++i) document += "<n>";
  for (int i = 0; i < depth; ++i) document += "</n>";
  XmlDocument doc;
  ASSERT_TRUE(doc.load(document));
  EXPECT_EQ(doc.elementCount(), depth);
  int n = 0;
  EXPECT_TRUE(doc.childCount("@#1", n));
  EXPECT_EQ(n, 0);
  EXPECT_TRUE(doc.childCount("@1/@1/@1", n));
  EXPECT_EQ(n, 1);
  std::string written = doc.toText();
  EXPECT_EQ(written.size(), 39 + size_t(depth) * 7);
  XmlDocument copy;
  copy = doc;  // copies and destroys flat tables only
  EXPECT_EQ(copy.elementCount(), depth);

  // Left open, they are all dropped without error.
  ASSERT_TRUE(doc.load(document.substr(0, size_t(depth) * 3)));
  EXPECT_EQ(doc.elementCount(), 0);
}

}  // namespace
}  // namespace tl
