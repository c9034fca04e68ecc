#include "data/text/gbk_text.h"

#include <gtest/gtest.h>

#include "data/text/addresses.h"

namespace tl::text {
namespace {

TEST(GbkLiterals, ChineseLiteralsAreGbkBytes) {
  // 汀澜 in GBK is CDA1 C0BD; the sources are UTF-8, the program is GBK.
  EXPECT_EQ(std::string("汀澜"), std::string("\xCD\xA1\xC0\xBD"));
  EXPECT_EQ(std::string("客户机总数: "), std::string("\xBF\xCD\xBB\xA7\xBB\xFA\xD7\xDC\xCA\xFD: "));
}

TEST(GbkText, CaseFoldingLeavesDoubleByteCharactersWhole) {
  // 獍 is AB 61: its trail byte is an ASCII "a" that must not change.
  const std::string tricky = "ab\xAB\x61z";
  EXPECT_EQ(toUpperAscii(tricky), "AB\xAB\x61Z");
  EXPECT_EQ(toLowerAscii("PC\xAB\x41X"), "pc\xAB\x41x");
}

TEST(GbkText, FindNeverStartsOnATrailByte) {
  struct Row {
    std::string haystack, needle;
    Case mode;
    size_t expected;
  };
  const Row cases[] = {
      {"ClientInfor", "clientinfor", Case::Insensitive, 0},
      {"xxCLIENTINFOR", "ClientInfor", Case::Insensitive, 2},
      {"ClientInfor", "clientinfor", Case::Sensitive, npos},
      {"\xAB\x61pc", "apc", Case::Insensitive, npos},  // the "a" is a trail byte
      {"\xAB\x61" "apc", "apc", Case::Insensitive, 2},
      {"工作站1", "工作站", Case::Insensitive, 0},
      {"", "x", Case::Insensitive, npos},
      {"abc", "", Case::Sensitive, 0},
  };
  for (const Row& c : cases) EXPECT_EQ(text::find(c.haystack, c.needle, c.mode), c.expected) << c.haystack;
}

TEST(GbkText, ReplaceAllIsLeftToRightNonOverlappingAndDoesNotRescan) {
  struct Row {
    std::string text, from, to;
    Case mode;
    std::string expected;
  };
  const Row cases[] = {
      {"npc-pc3", "pc", "wb", Case::Insensitive, "nwb-wb3"},
      {"PC002", "pc", "wb", Case::Insensitive, "wb002"},
      {"10.10.10.10", "10.", "20.", Case::Sensitive, "20.20.20.10"},
      {"aaa", "aa", "b", Case::Sensitive, "ba"},
      {"name", "name", "name name", Case::Sensitive, "name name"},
      {"abc", "", "x", Case::Sensitive, "abc"},
      {"\xAB\x61pc", "apc", "X", Case::Insensitive, "\xAB\x61pc"},
      {"NAME", "name", "x", Case::Sensitive, "NAME"},
  };
  for (const Row& c : cases) EXPECT_EQ(replaceAll(c.text, c.from, c.to, c.mode), c.expected) << c.text;
}

TEST(GbkText, SplitKeepsInnerEmptiesAndDropsAnEmptyLastPiece) {
  using V = std::vector<std::string>;
  EXPECT_EQ(split("1.1.1.1,2.2.2.2", ','), (V{"1.1.1.1", "2.2.2.2"}));
  EXPECT_EQ(split("1.1.1.1,", ','), (V{"1.1.1.1"}));
  EXPECT_EQ(split(",x", ','), (V{"", "x"}));
  EXPECT_EQ(split("a,,b,", ','), (V{"a", "", "b"}));
  EXPECT_EQ(split("a,,", ','), (V{"a", ""}));
  EXPECT_EQ(split("", ','), V{});
  EXPECT_EQ(split("a", ','), V(1, "a"));
  // "|" (7C) is a GBK trail byte in 乇 (81 7C): not a separator there.
  EXPECT_EQ(split("\x81\x7C|b", '|'), (V{"\x81\x7C", "b"}));
}

TEST(GbkText, FindLastCharSplitsPathsByCharacters) {
  struct Case {
    std::string text;
    char c;
    size_t expected;
  };
  // "\x95\x5C" is one double-byte character whose trail byte is "\\".
  const Case cases[] = {
      {"C:\\tl\\data.db", '\\', 5},
      {"C:\\\x95\x5C", '\\', 2},             // the trail byte is no separator
      {"C:\\\x95\x5C\\", '\\', 5},
      {"\x95\x5C", '\\', text::npos},
      {"", '/', text::npos},
      {"/home/tl/tlconv", '/', 8},
  };
  for (const Case& c : cases) EXPECT_EQ(text::findLastChar(c.text, c.c), c.expected) << c.text;
}

TEST(GbkText, UntilNulCutsAtTheFirstNulOfAnyLength) {
  // Every length around the in-place word paths (under 8, 8 to 16, longer),
  // with no NUL, one NUL anywhere, and a second NUL after it; high bytes
  // next to a NUL must not hide it (0x80 and 0x01 are the zero test's
  // edges).
  for (size_t size = 0; size <= 40; ++size) {
    const std::string plain(size, '\x81');
    EXPECT_EQ(untilNul(plain), plain) << size;
    for (size_t nul = 0; nul < size; ++nul) {
      std::string bytes = plain;
      for (size_t i = 0; i < size; ++i) bytes[i] = (i % 2) ? '\x01' : '\x80';
      bytes[nul] = '\0';
      if (nul + 3 < size) bytes[nul + 3] = '\0';
      EXPECT_EQ(untilNul(bytes), std::string_view(bytes).substr(0, nul)) << size << " " << nul;
    }
  }
}

TEST(Addresses, ReadLongWrappedActsLikeAtolIn32Bits) {
  struct Case {
    std::string text;
    int32_t expected;
  };
  const Case cases[] = {
      {"3232235521", int32_t(3232235521u)}, {"-1062731775", -1062731775}, {"4294967296", 0},
      {"  +42abc", 42},   {"", 0},  {"abc", 0},  {"192.168.0.1", 192},
      {"\xA3\xB1\xA3\xB2", 12},  // full-width １２
      {"\xA1\xA1\xA3\xAD" "5", -5},  // ideographic space, full-width minus
  };
  for (const Case& c : cases) EXPECT_EQ(readLongWrapped(c.text), c.expected) << c.text;
}

TEST(Addresses, IpNumberToDotted) {
  struct Case {
    std::string text, expected;
  };
  const Case cases[] = {
      {"3232235521", "192.168.0.1"}, {"-1062731775", "192.168.0.1"}, {"4294967296", "0.0.0.0"},
      {"", "0.0.0.0"},               {"192.168.0.1", "0.0.0.192"},   {"16885952", "1.1.168.192"},
      {"4294967295", "255.255.255.255"}, {"157485668", "9.99.10.100"},
  };
  for (const Case& c : cases) EXPECT_EQ(ipNumberToDotted(c.text), c.expected) << c.text;
  for (uint32_t address : {0u, 9u, 0x0A000001u, 0x0101A8C0u, 0xFFFFFF00u, 0x09630A64u})
    EXPECT_EQ(reversedDottedQuad(address), reverseOctets(dottedQuad(address))) << address;
}

TEST(Addresses, DottedToIpNumber) {
  struct Case {
    std::string text, expected;
  };
  const Case cases[] = {
      {"192.168.0.1", "3232235521"},
      {"255.255.255.0", "4294967040"},
      {"0.0.0.0", "0"},
      {"1.2.3.300", std::to_string(0x01020312Cull)},  // a piece above 255 widens the join
      {"1.2.3.4.5", "16909060"},                      // further pieces ignored
      {"没有", "0"},                                   // fewer pieces count as 0
      {"10.0.0", std::to_string(0x0A000000ull)},
      {"", "0"},
      // -1 is FFFFFFFF: four of them join to 128 bits; the low 64 bits stay.
      {"-1.-1.-1.-1", "18446744073709551615"},
  };
  for (const Case& c : cases) EXPECT_EQ(dottedToIpNumber(c.text), c.expected) << c.text;
}

TEST(Addresses, GroupMacCutsBlindly) {
  EXPECT_EQ(groupMac("001122aabbcc"), "00-11-22-AA-BB-CC");
  EXPECT_EQ(groupMac("0011223"), "00-11-22-3");
  EXPECT_EQ(groupMac("00-11-22"), "00--1-1--22");
  EXPECT_EQ(groupMac("00:11:22"), "00-:1-1:-22");
  EXPECT_EQ(groupMac(""), "");
  // A pair that starts with a lead byte is one character and keeps its
  // letter; a lead byte second in a pair or last is a byte of its own.
  EXPECT_EQ(groupMac("ab\xB0" "acd"), "AB-\xB0" "a-CD");
  EXPECT_EQ(groupMac("a\xB0" "b"), "A\xB0-B");
  EXPECT_EQ(groupMac("ab\xB0"), "AB-\xB0");
  EXPECT_EQ(groupMac("\xB0" "a1b"), "\xB0" "a-1B");
}

TEST(Addresses, ReverseOctets) {
  EXPECT_EQ(reverseOctets("1.1.168.192"), "192.168.1.1");
  EXPECT_EQ(reverseOctets("0.0.0.0"), "0.0.0.0");
}

}  // namespace
}  // namespace tl::text
