#include "data/json/json_access.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "data/json/gbk_carrier.h"

namespace tl {
namespace {

bool parses(std::string_view text) {
  JsonAccess json;
  return !json.parse(text).isEmpty();
}

TEST(JsonAccess, WalksMembersElementsAndLength) {
  JsonAccess json;
  JsonValue root = json.parse(R"({"macList":[{"pc":"PC01"},{"pc":"PC02"}]})");
  JsonValue list = root.member("macList");
  EXPECT_EQ(list.length(), 2);
  EXPECT_EQ(list.element(1).member("pc").text(), "PC02");
  EXPECT_EQ(json.current().member("macList").element(0).member("pc").text(), "PC01");
}

TEST(JsonAccess, RejectsEverythingButStandardJson) {
  const std::string rejected[] = {
      "", " \r\n\t", "[1,]", R"({"macList":[{"pc":"A"},]})", R"({"a":1,})", "[,1]", "[1,,2]",
      "// note\n{}", "/* note */{}", "{}// note", "{}#", R"({'a':'b'})", "['a']", "{a:1}",
      "[NaN]", "[Infinity]", "[-Infinity]", "[undefined]", "[01]", "[1.]", "[.5]", "[+1]",
      "[0x10]", "[1e]", "[TRUE]", "[True]", "[nul]", R"({"a":1}x)", R"({"a":1}{})", "[1][2]",
      R"({"a"})", R"({"a" 1})", R"({"a":})", R"({1:2})", "[true false]", "\"open", "[", "{", "]",
      "[\"tab\there\"]", "[\"line\nbreak\"]", R"(["\x41"])", R"(["\u12"])", R"(["\a"])",
      "\xEF\xBB\xBF{}",  // a byte-order mark has to be dropped before the text gets here
      "[1e400]", "[-1E999]", "[1" + std::string(400, '0') + ".5]",  // infinite as a double
      R"(["\uDC00"])", R"(["\uD800"])", R"(["\uD800\u0041"])",  // lone surrogates
  };
  for (const std::string& text : rejected) EXPECT_FALSE(parses(text)) << text;
  // A NUL byte is no JSON anywhere (the parser would take it as the end).
  EXPECT_FALSE(parses(std::string_view("{}\0", 3)));
  EXPECT_FALSE(parses(std::string_view("[\"a\0b\"]", 7)));

  const char* accepted[] = {
      "{}", "[]", " \r\n\t{\"a\" : [ 1 , 2 ] } \n", "1", "-0.5e-3", "\"text\"", "null", "true",
      "[1,[2,[3,{}]]]", R"({"a":"\"\\\/\b\f\n\r\t\u0041"})", "{\"\":\"\"}", "[1E2,1e+2,1e-2,-0]",
      "[1e-400,18446744073709551616]", R"(["\uD83D\uDE00"])",
  };
  for (const char* text : accepted) EXPECT_TRUE(parses(text)) << text;
}

TEST(JsonAccess, FailedParseLeavesTheEmptyValue) {
  JsonAccess json;
  ASSERT_FALSE(json.parse(R"({"macList":[1,2]})").isEmpty());
  JsonValue root = json.parse(R"({"macList":[1,2,]})");
  EXPECT_TRUE(root.isEmpty());
  EXPECT_TRUE(json.current().isEmpty());
  EXPECT_EQ(root.member("macList").length(), 0);
  EXPECT_EQ(root.member("macList").element(0).member("pc").text(), "");
  EXPECT_EQ(root.text(), "");
  EXPECT_EQ(root.serialise(), "");
}

TEST(JsonAccess, TextsOfScalarsInGbk) {
  struct Case {
    const char* json;
    const char* text;
  };
  const Case cases[] = {
      {R"("PC01")", "PC01"},
      {R"("")", ""},
      {R"("汀澜网吧")", "汀澜网吧"},            // GBK in the file
      {R"("\u6c40\u6f9c")", "汀澜"},            // escaped, back in GBK
      {R"("A\u6c40汀")", "A汀汀"},               // both in one string
      {R"("a\u00b7b")", "a·b"},
      {R"("\uD55C")", "?"},                       // Hangul: GBK lacks it
      {R"("\u0041\n")", "A\n"},
      {R"("\"\\\/")", "\"\\/"},
      {"\"\x81\x5C\\n\"", "\x81\x5C\n"},      // 81 5C is one character, then an escape
      {"1e-400", "0"},
      {"18446744073709551616", "1.8446744073709552e+19"},
      {"12", "12"},
      {"-7", "-7"},
      {"0", "0"},
      {"-0", "0"},
      {"-0.0", "0"},
      {"1.5", "1.5"},
      {"3.0", "3"},
      {"1e2", "100"},
      {"18446744073709551615", "18446744073709551615"},
      {"-9223372036854775808", "-9223372036854775808"},
      {"true", "true"},
      {"false", "false"},
      {"null", ""},
      {"{}", ""},
      {R"({"a":"b"})", ""},
      {"[1]", ""},
  };
  for (const Case& c : cases) {
    JsonAccess json;
    EXPECT_EQ(json.parse(c.json).text(), c.text) << c.json;
  }
}

TEST(JsonAccess, GbkTextsSurviveByteForByte) {
  // Every valid double-byte character, including those whose trail byte is
  // "\", "[", "]", "{" or "}" in ASCII (乗 is 81 5C).
  for (int lead = 0x81; lead <= 0xFE; ++lead)
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail == 0x7F) continue;
      const std::string name{char(lead), char(trail)};
      JsonAccess json;
      ASSERT_EQ(json.parse("{\"pc\":\"" + name + "\"}").member("pc").text(), name) << lead << " " << trail;
    }
  // Bytes that are no GBK character stay too, and do not swallow the quote.
  for (const std::string name : {"\x80", "\xFF", "\x81", "a\xFE", "\x81\x30"}) {
    JsonAccess json;
    EXPECT_EQ(json.parse("[\"" + name + "\"]").element(0).text(), name);
  }
}

TEST(JsonAccess, CarrierRoundTripsEveryByteSequence) {
  std::string all;
  for (int a = 0; a < 256; ++a)
    for (int b = 0; b < 256; ++b) all += {char(a), char(b), char(b), char(a)};
  EXPECT_EQ(json_text::carrierToGbk(json_text::gbkToCarrier(all)), all);
  // The parser reads the same carriers made one byte at a time.
  for (const std::string& text : {all, std::string("a\x81"), std::string("\x81\x5C\"\xFF\x80")}) {
    const char* end = text.data() + text.size();
    EXPECT_EQ(std::string(json_text::CarrierIterator(text.data(), end), json_text::CarrierIterator(end, end)),
              json_text::gbkToCarrier(text));
  }
  EXPECT_EQ(json_text::carrierToGbk(json_text::gbkToCarrier("\x81")), "\x81");  // lead byte at the end
  // A plane-15 character that no GBK text yields is no carrier: GBK lacks
  // it (one "?" per UTF-16 unit, as the Windows converter gives it).
  EXPECT_EQ(json_text::carrierToGbk("\xF3\xB0\x81\x81"), "??");  // U+F0041
}

TEST(JsonAccess, MembersByExactName) {
  JsonAccess json;
  JsonValue root = json.parse(
      R"({"pc":"A","PC":"B","d":"first","d":"second","名字":"raw","\u7f16\u53f7":"escaped","n":5,)"
      R"("\u0069p":"x","ip":"y","i\u0070":"z"})");
  struct Case {
    const char* name;
    const char* text;
  };
  const Case cases[] = {
      {"pc", "A"},   {"PC", "B"},          {"Pc", ""},  {"missing", ""}, {"d", "second"},
      {"名字", "raw"}, {"编号", "escaped"}, {"n", "5"},  {"", ""}, {"ip", "z"},
  };
  for (const Case& c : cases) EXPECT_EQ(root.member(c.name).text(), c.text) << c.name;
  EXPECT_TRUE(root.member("missing").isEmpty());

  // Several names at once give what member() gives for each, ASCII or not.
  for (const std::vector<std::string_view>& names :
       {std::vector<std::string_view>{"pc", "PC", "d", "ip", "missing", "n", "pc"},
        std::vector<std::string_view>{"d", "名字", "编号", "Pc"}}) {
    std::vector<JsonValue> values(names.size(), root);
    root.members(names, values);
    for (size_t i = 0; i < names.size(); ++i) EXPECT_EQ(values[i].text(), root.member(names[i]).text()) << names[i];
    root.member("d").members(names, values);  // not an object
    for (const JsonValue& value : values) EXPECT_TRUE(value.isEmpty());
  }
}

TEST(JsonAccess, ElementsAndLengthOnlyForArrays) {
  JsonAccess json;
  JsonValue root = json.parse(R"({"list":["a","b"],"obj":{"0":"x","length":4},"s":"abc","n":3})");
  JsonValue list = root.member("list");
  EXPECT_EQ(list.length(), 2);
  EXPECT_EQ(list.element(0).text(), "a");
  EXPECT_TRUE(list.element(2).isEmpty());
  EXPECT_TRUE(list.element(-1).isEmpty());
  EXPECT_TRUE(list.member("0").isEmpty());
  // A string, an object with a "length" member or a number is no list of clients.
  for (const char* name : {"obj", "s", "n", "missing"}) EXPECT_EQ(root.member(name).length(), 0) << name;
  EXPECT_TRUE(root.member("obj").element(0).isEmpty());
  EXPECT_TRUE(root.member("s").element(0).isEmpty());
  EXPECT_EQ(root.length(), 0);
}

std::string nestedArrays(size_t depth, bool closed) {
  return std::string(depth, '[') + (closed ? std::string(depth, ']') : std::string());
}

TEST(JsonAccess, DeepNestingIsRefusedWithoutCrashing) {
  EXPECT_TRUE(parses(nestedArrays(100, true)));
  EXPECT_TRUE(parses(nestedArrays(kMaxJsonDepth, true)));
  EXPECT_FALSE(parses(nestedArrays(kMaxJsonDepth + 1, true)));
  EXPECT_FALSE(parses(nestedArrays(100000, true)));
  EXPECT_FALSE(parses(nestedArrays(100000, false)));
  std::string objects;
  for (int i = 0; i < 100000; ++i) objects += "{\"a\":";
  objects += "1" + std::string(100000, '}');
  EXPECT_FALSE(parses(objects));

  JsonAccess json;
  std::string deepest = "{\"macList\":" + nestedArrays(kMaxJsonDepth - 1, true) + "}";
  JsonValue root = json.parse(deepest);
  ASSERT_FALSE(root.isEmpty());
  EXPECT_EQ(root.serialise(), deepest);
}

TEST(JsonAccess, OversizedTextIsRefused) {
  EXPECT_FALSE(parses("[" + std::string(kMaxJsonTextBytes - 1, ' ') + "]"));
}

TEST(JsonAccess, SerialisesInGbk) {
  JsonAccess json;
  json.parse(R"({"a":[1,"汀澜",true,null,1.5],"b":"\u6c40"})");
  EXPECT_EQ(json.current().serialise(), R"({"a":[1,"汀澜",true,null,1.5],"b":"汀"})");
}

}  // namespace
}  // namespace tl
