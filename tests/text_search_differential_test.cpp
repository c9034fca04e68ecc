// The fast text searches and replacements against compact copies of the
// plain character-by-character rules they replace, on random and hostile
// texts: GBK characters whose second byte is an ASCII letter or "\\", lone
// lead bytes at the end, NUL bytes, mixed case, the words inside values.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/client_grid.h"
#include "data/text/gbk_text.h"
#include "data/text/signature_search.h"
#include "editing/export_text.h"

namespace tl {
namespace {

namespace reference {

size_t charLength(const std::string& s, size_t i) { return (static_cast<unsigned char>(s[i]) >= 0x80 && i + 1 < s.size()) ? 2 : 1; }
char upper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 32) : c; }

bool matchesAt(const std::string& hay, size_t pos, const std::string& needle, bool ignoreCase) {
  if (hay.size() - pos < needle.size()) return false;
  for (size_t k = 0; k < needle.size(); ++k) {
    char a = hay[pos + k], b = needle[k];
    if (ignoreCase ? upper(a) != upper(b) : a != b) return false;
  }
  return true;
}

size_t find(const std::string& hay, const std::string& needle, bool ignoreCase) {
  if (needle.empty()) return 0;
  for (size_t i = 0; i < hay.size(); i += charLength(hay, i))
    if (matchesAt(hay, i, needle, ignoreCase)) return i;
  return std::string::npos;
}

std::string replaceAll(const std::string& text, const std::string& from, const std::string& to, bool ignoreCase) {
  if (from.empty()) return text;
  std::string out;
  for (size_t i = 0; i < text.size();) {
    if (matchesAt(text, i, from, ignoreCase)) {
      out += to;
      i += from.size();
    } else {
      size_t n = charLength(text, i);
      out += text.substr(i, n);
      i += n;
    }
  }
  return out;
}

std::string exportLine(const std::string& t, const std::string& name, const std::string& ip, const std::string& mac) {
  std::string line = t;
  if (find(t, "name", true) != std::string::npos) line = replaceAll(line, "name", name, false);
  if (find(t, "ip", true) != std::string::npos) line = replaceAll(line, "ip", ip, false);
  if (find(t, "mac", true) != std::string::npos) line = replaceAll(line, "mac", mac, false);
  return line;
}

}  // namespace reference

// Texts made of pieces that matter: the words, their letters in both cases,
// GBK characters whose trail byte is a letter or "\\", lone high bytes, NUL.
class TextMaker {
 public:
  explicit TextMaker(unsigned seed) : random_(seed) {}

  std::string text(size_t maxPieces) {
    static const std::vector<std::string> pieces = {
        "name", "NAME", "Name", "ip", "IP", "iP", "mac", "MAC", "pc", "PC", "wb", "10.", "192.168.", "i", "p",
        "m", "a", "c", "n", "e", ".", "-", " ", "\xAB\x61", "\xB0i", "\x81p", "\xB0\x5C", "\xCD\xA1", "\x81",
        "\xFE", "\xB0", std::string(1, '\0'), "ClientInfor", "nmenu", "x", "\xABKB Version", "produc",
        "\"macList\":[", "hintSoft", "\x81I", "IPAddr=", "Name,IP,Mac,Type", "pXD version", "CLIENTINFO", "\xCD"};
    std::string s;
    size_t n = random_() % (maxPieces + 1);
    for (size_t i = 0; i < n; ++i) s += pieces[random_() % pieces.size()];
    return s;
  }

  unsigned next() { return unsigned(random_()); }

 private:
  std::mt19937 random_;
};

TEST(TextSearchDifferential, FindAndReplaceMatchTheCharacterByCharacterRules) {
  TextMaker maker(20261210);
  std::string into;
  for (int round = 0; round < 40000; ++round) {
    std::string hay = maker.text(12), needle = maker.text(2), to = maker.text(2);
    bool ignoreCase = maker.next() % 2;
    auto mode = ignoreCase ? text::Case::Insensitive : text::Case::Sensitive;
    SCOPED_TRACE(::testing::PrintToString(hay) + " / " + ::testing::PrintToString(needle));
    size_t expected = reference::find(hay, needle, ignoreCase);
    ASSERT_EQ(text::find(hay, needle, mode), expected == std::string::npos ? text::npos : expected);
    std::string replaced = reference::replaceAll(hay, needle, to, ignoreCase);
    ASSERT_EQ(text::replaceAll(hay, needle, to, mode), replaced);
    bool changed = !needle.empty() && expected != std::string::npos;
    ASSERT_EQ(text::replaceAllInto(hay, needle, to, mode, into), changed);
    if (changed) {
      ASSERT_EQ(into, replaced);
    }
    into = "left from the text before";
    const text::Replacer replacer(needle, to, mode);
    ASSERT_EQ(replacer.into(hay, into), changed);
    if (changed) {
      ASSERT_EQ(into, replaced);
    }
    // In place: short texts are rewritten in the string itself, long ones
    // (the same text repeated) through the scratch room.
    for (const std::string& text : {hay, hay + hay + hay + hay + hay + hay}) {
      std::string cell = text, scratch = "left from the text before";
      const bool found = !needle.empty() && reference::find(text, needle, ignoreCase) != std::string::npos;
      ASSERT_EQ(replacer.inPlace(cell, scratch), found);
      ASSERT_EQ(cell, reference::replaceAll(text, needle, to, ignoreCase));
    }
  }
}

// Values that mostly leave the template's own words alone (the lines
// made from the template's pieces), with the few that start or end a word
// next to them, end in half a character, or are empty.
const std::vector<std::string>& planValues() {
  static const std::vector<std::string> values = {"pc01", "PC", "c1", "p", "c", "\xCD\xA1" "pc", "\xB0", "\xB0" "c",
                                           "10.0.0.1", "", "cx", "\x81p", "wb", "NAME", "IP", "MAC",
                                           // Longer ones, looked at a word at a time: a letter or a lone
                                           // lead byte only in the last, overlapping word.
                                           "pc-0123456", "pc-012345i", "192.168.0.1m", "\xCD\xA1\xCD\xA1\xCD\xA1\xB0",
                                           "0123456\xB0", "01234567\xB0", "abc012345678", "0123456789a",
                                           // Longer than two words.
                                           "0123456789-0123456789", "\xCD\xA1" "0123456789-0123456789",
                                           "0123456789-0123456789-0123456789-0123456789"};
  return values;
}

TEST(TextSearchDifferential, ExportLinesMatchTheThreeStepRule) {
  TextMaker maker(17);
  for (int round = 0; round < 40000; ++round) {
    std::string t = maker.text(6), name = maker.text(3), ip = maker.text(3), mac = maker.text(3);
    SCOPED_TRACE(::testing::PrintToString(t) + " / " + ::testing::PrintToString(name));
    ASSERT_EQ(exportLine(t, name, ip, mac), reference::exportLine(t, name, ip, mac));
  }
  const std::vector<std::string>& values = planValues();
  for (int round = 0; round < 40000; ++round) {
    std::string t = maker.text(6);
    const std::string& name = values[maker.next() % values.size()];
    const std::string& ip = values[maker.next() % values.size()];
    const std::string& mac = values[maker.next() % values.size()];
    SCOPED_TRACE(::testing::PrintToString(t) + " / " + ::testing::PrintToString(name) + " / " +
                 ::testing::PrintToString(ip));
    ASSERT_EQ(exportLine(t, name, ip, mac), reference::exportLine(t, name, ip, mac));
  }
}

// The whole text writes each line onto the end of the lines before it: a
// line's character boundaries must not depend on them (a previous line that
// ends in a lone lead byte, an empty line that adds no CR LF).
TEST(TextSearchDifferential, ExportTextsJoinTheLinesOfTheThreeStepRule) {
  TextMaker maker(4711);
  for (int round = 0; round < 4000; ++round) {
    std::string t = maker.text(6);
    ClientGrid grid;
    std::string expected;
    std::vector<int> rows;
    for (int r = 0, n = int(maker.next() % 9); r < n; ++r) {
      grid.appendRow(std::to_string(r + 1));
      // Random texts, and values whose lines are written from the
      // template's pieces, mixed in one text.
      for (int c : {kColName, kColIp, kColMac})
        grid.setCell(r, c, maker.next() % 2 ? maker.text(3) : planValues()[maker.next() % planValues().size()]);
      rows.push_back(r);
      std::string line = reference::exportLine(t, grid.cell(r, kColName), grid.cell(r, kColIp), grid.cell(r, kColMac));
      if (!expected.empty()) expected += "\r\n";
      expected += line;
    }
    SCOPED_TRACE(::testing::PrintToString(t));
    ASSERT_EQ(buildExportText(grid, rows, t), expected);
  }
}

TEST(TextSearchDifferential, SignatureSearchFindsWhatOneSearchEachFinds) {
  const std::vector<std::string> signatures = {"ClientInfor", "NMenu",   "IPAddr=", "Name,IP,Mac,Type",
                                               "produce",     "macList", "KB Version", "PXD Version",
                                               "\"macList\":[", "x",  "",        "hintsoft"};
  TextMaker maker(99);
  for (int round = 0; round < 4000; ++round) {
    std::string content = maker.text(round % 2 ? 8 : 120);
    SCOPED_TRACE(::testing::PrintToString(content));
    std::vector<std::string_view> batch(signatures.begin(), signatures.begin() + 1 + round % signatures.size());
    text::SignatureSearch search(content, batch);
    for (const std::string& s : signatures)
      ASSERT_EQ(search.contains(s), reference::find(content, s, true) != std::string::npos) << s;
  }
}

// A file read a piece at a time: signatures that run across pieces, pieces
// that end inside a double-byte character or a run of them, pieces of one
// byte.
TEST(TextSearchDifferential, SignatureSearchFedInPiecesFindsWhatTheWholeTextHolds) {
  const std::vector<std::string> signatures = {"ClientInfor", "NMenu",      "IPAddr=",     "Name,IP,Mac,Type",
                                               "produce",     "macList",    "KB Version",  "PXD Version",
                                               "\"macList\":[", "x",     "",            "hintsoft", "Ip"};
  const std::vector<std::string_view> batch(signatures.begin(), signatures.end());
  TextMaker maker(4242);
  for (int round = 0; round < 4000; ++round) {
    std::string content = maker.text(round % 3 ? 40 : 400);
    SCOPED_TRACE(::testing::PrintToString(content));
    text::SignatureSearch search(batch);
    const size_t largest = 1 + maker.next() % (round % 2 ? 3 : 80);
    for (size_t pos = 0; pos < content.size();) {
      size_t n = std::min(content.size() - pos, 1 + maker.next() % largest);
      search.feed(std::string_view(content).substr(pos, n));
      pos += n;
    }
    for (const std::string& s : signatures)
      ASSERT_EQ(search.contains(s), reference::find(content, s, true) != std::string::npos) << s;
  }
}

}  // namespace
}  // namespace tl
