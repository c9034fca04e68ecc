// The INI platform reader against a table of small files. Every build runs
// our own reader; the Windows build runs the very same table against
// GetPrivateProfileSectionNamesA / GetPrivateProfileStringA under Wine too,
// which is how the two are held to the same rules.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ini_files.h"
#include "platform/ini_text.h"
#include "tests/support/temp_dir.h"

namespace tl {
namespace {

struct NamedIniFiles {
  const char* name;
  std::unique_ptr<platform::IniFiles> files;
};

// Our reader, and on Windows the system's profile functions beside it.
std::vector<NamedIniFiles> iniReaders() {
  std::vector<NamedIniFiles> readers;
  readers.push_back({"our reader", platform::makeIniTextFiles()});
#ifdef _WIN32
  readers.push_back({"the profile functions", platform::makeSystemIniFiles()});
#endif
  return readers;
}

// "<prefix><n>.ini"
std::string caseFile(char prefix, int n) {
  std::string name(1, prefix);
  name.append(std::to_string(n)).append(".ini");
  return name;
}

std::string repeat(std::string_view s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

std::string utf16(std::u16string_view text, bool bigEndian) {
  std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t c : text) {
    char hi = char(c >> 8), lo = char(c & 0xFF);
    out += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
  }
  return out;
}

const std::string kBasic = "[Sec1]\r\nip = 1.2.3.4 \r\nName=  hello world  \r\n[sec2]\r\nKey=v2\r\n";
const std::string kQuotes =
    "[q]\r\na=\"quoted\"\r\nb='single'\r\nc=\"mismatch'\r\nd=\"\r\ne=\"\"\r\nf= \"  sp  \" \r\n"
    "g=\"in\"side\"\r\nh=x\"y\"\r\ni= ' a ' \r\n";
const std::string kComments = "; top comment\r\n[c]\r\n;k=commented\r\nk2=v ; trailing\r\n#h=hash\r\n; spaced = x\r\n";
const std::string kRepeated = "[A]\r\nx=1\r\nx=2\r\n[B]\r\ny=1\r\n[a]\r\nx=3\r\nz=9\r\n";
const std::string kBrackets =
    "[ S p ]\r\nx=1\r\n  [T]  \r\ny=2\r\n[U] junk\r\nz=3\r\n[V]]\r\nw=4\r\n[W\r\nq=5\r\n[]\r\ne=6\r\n";
const std::string kControls =
    "\t[A]\t\r\n\tx\t=\t1\t\r\n\x0bv=\x0c" "2\x0c\r\ny=\x01" "a\x01\r\n\x01z=3\r\nw=\x1f" "q\x1f\r\n"
    "e=1\x1a\r\n\x1a[B]\r\n";
const std::string kLongValues = "[A]\r\nx=" + repeat("a", 12000) + "\r\ny=2\r\ng=" + repeat("中", 6000) +
                                "\r\nh=a" + repeat("中", 6000) + "\r\n[" + repeat("S", 5000) + "]\r\n";

struct ValueCase {
  const char* what;
  std::string file;
  std::string section, key, fallback, expected;
};

const ValueCase kValueCases[] = {
    {"case-insensitive section and key, value trimmed", kBasic, "sec1", "IP", "DEF", "1.2.3.4"},
    {"inner spaces stay", kBasic, "SEC1", "name", "DEF", "hello world"},
    {"second section", kBasic, "Sec2", "key", "DEF", "v2"},
    {"missing key gives the default", kBasic, "sec1", "missing", "DEF", "DEF"},
    {"missing section gives the default", kBasic, "nosec", "ip", "DEF", "DEF"},
    {"white space around the query ignored", kBasic, " sec1 ", " ip ", "DEF", "1.2.3.4"},
    {"double quotes removed", kQuotes, "q", "a", "DEF", "quoted"},
    {"single quotes removed", kQuotes, "q", "b", "DEF", "single"},
    {"unequal quotes stay", kQuotes, "q", "c", "DEF", "\"mismatch'"},
    {"a lone quote stays", kQuotes, "q", "d", "DEF", "\""},
    {"empty quotes give the empty text", kQuotes, "q", "e", "DEF", ""},
    {"spaces inside quotes stay", kQuotes, "q", "f", "DEF", "  sp  "},
    {"only the outer quotes go", kQuotes, "q", "g", "DEF", "in\"side"},
    {"quotes not at the start stay", kQuotes, "q", "h", "DEF", "x\"y\""},
    {"single-quoted spaces", kQuotes, "q", "i", "DEF", " a "},
    {"';' starts no comment: it is part of the key", kComments, "c", ";k", "DEF", "commented"},
    {"so the key without ';' is missing", kComments, "c", "k", "DEF", "DEF"},
    {"';' inside a value stays", kComments, "c", "k2", "DEF", "v ; trailing"},
    {"'#' starts no comment", kComments, "c", "#h", "DEF", "hash"},
    {"a key before any section is in no named section", "orphan=1\r\n[A]\r\nx=1\r\n", "A", "orphan", "DEF", "DEF"},
    {"the first of repeated keys", kRepeated, "a", "x", "DEF", "1"},
    {"only the first section of a repeated name is searched", kRepeated, "A", "z", "DEF", "DEF"},
    {"an empty repeated section hides the later one", "[A]\r\n[B]\r\n[A]\r\nk=v\r\n", "A", "k", "DEF", "DEF"},
    {"LF line ends", "[A]\nx=1\n[B]\ny=2\n", "B", "y", "DEF", "2"},
    {"CR line ends", "[A]\rx=1\r[B]\ry=2\r", "B", "y", "DEF", "2"},
    {"a lone CR ends a line in an LF file", "[A]\rx=1\ry=5\n[B]\ny=2\n", "A", "y", "DEF", "5"},
    {"CR CR LF line ends", "[A]\r\r\nx=1\r\r\n", "A", "x", "DEF", "1"},
    {"a key without '=' gives the default", "[A]\r\nnovalue\r\n", "A", "novalue", "DEF", "DEF"},
    {"'k=' gives the empty text", "[A]\r\nempty=\r\n", "A", "empty", "DEF", ""},
    {"section name trimmed inside the brackets", kBrackets, "S p", "x", "DEF", "1"},
    {"section line with spaces around", kBrackets, "T", "y", "DEF", "2"},
    {"text after ']' ignored", kBrackets, "U", "z", "DEF", "3"},
    {"the last ']' closes the name", kBrackets, "V]", "w", "DEF", "4"},
    {"'[W' without ']' is no section", kBrackets, "W", "q", "DEF", "DEF"},
    {"'[]' ends the section before it", "[A]\r\nx=1\r\n[V]\r\nw=4\r\n[]\r\ne=6\r\n", "V", "e", "DEF", "DEF"},
    {"UTF-8 byte order mark: read as UTF-8, returned in GBK", "\xEF\xBB\xBF[A\xE4\xB8\xAD]\r\nx=\xE6\x96\x87\r\n",
     "A中", "x", "DEF", "文"},
    {"UTF-16 LE byte order mark", utf16(u"[A中]\r\nx=文\r\n", false), "A中", "x", "DEF", "文"},
    {"UTF-16 BE byte order mark", utf16(u"[B]\r\nx=1\r\n", true), "B", "x", "DEF", "1"},
    {"GBK section and value", "[工作站01]\r\nName=中文名\r\n", "工作站01", "NAME", "DEF", "中文名"},
    {"TAB, VT and FF are white space", kControls, "A", "x", "DEF", "1"},
    {"VT and FF around a value", kControls, "A", "v", "DEF", "2"},
    {"other control bytes stay", kControls, "A", "y", "DEF", "\x01" "a\x01"},
    {"a key after a control byte is another key", kControls, "A", "z", "DEF", "DEF"},
    {"0x1F stays", kControls, "A", "w", "DEF", "\x1f" "q\x1f"},
    {"0x1A is white space", kControls, "A", "e", "DEF", "1"},
    {"the ideographic space is no white space", "[A]\r\nx=\xA1\xA1值\xA1\xA1\r\n", "A", "x", "DEF",
     "\xA1\xA1值\xA1\xA1"},
    {"a value ends at NUL", std::string("[A]\r\nx=1\0zz\r\ny=2\r\n", 18), "A", "x", "DEF", "1"},
    {"the line after a NUL is read", std::string("[A]\r\nx=1\0zz\r\ny=2\r\n", 18), "A", "y", "DEF", "2"},
    {"a long value is cut to 10,239 bytes", kLongValues, "A", "x", "DEF", repeat("a", 10239)},
    {"a long line does not disturb the next", kLongValues, "A", "y", "DEF", "2"},
    {"a long GBK value is cut between characters", kLongValues, "A", "g", "DEF", repeat("中", 5119)},
    {"a long GBK value that fits to the byte", kLongValues, "A", "h", "DEF", "a" + repeat("中", 5119)},
    {"full-width letters are not folded", "[ＡＢ]\r\nｘ=1\r\n", "ａｂ", "Ｘ", "DEF", "DEF"},
    {"Greek letters are not folded", "[Αβ]\r\nя=2\r\n", "αΒ", "Я", "DEF", "DEF"},
    {"']' as a second byte does not close a name", "[A]\r\n[\x81\x5d\r\ny=2\r\n", "A", "y", "DEF", "2"},
    {"a name ending in a double-byte character with ']' as its second byte", "[\x81\x5d]\r\nx=1\r\n",
     "\x81\x5d", "x", "DEF", "1"},
    {"an empty file", "", "A", "x", "DEF", "DEF"},
    {"the default as given", "[A]\r\n", "A", "x", "未知", "未知"},
};

TEST(IniFiles, ValuesAsWindowsReadsThem) {
  test::TempDir dir;
  for (NamedIniFiles& reader : iniReaders()) {
    SCOPED_TRACE(reader.name);
    int n = 0;
    for (const ValueCase& c : kValueCases) {
      std::string path = dir.write(caseFile('v', n++), c.file);
      EXPECT_EQ(reader.files->value(path, c.section, c.key, c.fallback), c.expected) << c.what;
    }
  }
}

// One call for several keys answers each as value() does: the case's key
// among others (missing ones, the same key again, other keys of the file),
// and more keys than our reader takes in one pass over the section.
TEST(IniFiles, SeveralValuesAnswerAsOneValueEach) {
  test::TempDir dir;
  for (NamedIniFiles& reader : iniReaders()) {
    SCOPED_TRACE(reader.name);
    int n = 0;
    for (const ValueCase& c : kValueCases) {
      std::string path = dir.write(caseFile('m', n++), c.file);
      const std::vector<std::string> few = {"missing", c.key, "x", "Y", c.key, " ip "};
      std::vector<std::string> many;
      for (int k = 0; k < 20; ++k) many.push_back(k == 3 ? std::string("x") : k == 17 ? c.key : std::string("nothing"));
      for (const std::vector<std::string>& keys : {few, many}) {
        std::vector<std::string> values(keys.size(), "left from before");
        std::vector<std::string*> into;
        for (std::string& value : values) into.push_back(&value);
        reader.files->values(path, c.section, keys, c.fallback, into);
        for (size_t k = 0; k < keys.size(); ++k)
          EXPECT_EQ(values[k], reader.files->value(path, c.section, keys[k], c.fallback)) << c.what << ": " << keys[k];
      }
    }
  }
}

TEST(IniFiles, MissingFileGivesTheDefaultAndNoSections) {
  test::TempDir dir;
  for (NamedIniFiles& reader : iniReaders()) {
    SCOPED_TRACE(reader.name);
    platform::IniFiles& ini = *reader.files;
    EXPECT_EQ(ini.value(dir.file("missing.ini"), "A", "x", "dflt"), "dflt");
    EXPECT_TRUE(ini.sectionNames(dir.file("missing.ini")).empty());
    EXPECT_TRUE(ini.sectionNames(dir.path()).empty());
  }
}

// tlconv is given a list as the operator types it: "WKS.INI" is the file in
// the current folder (the profile functions alone would look in the Windows
// folder).
TEST(IniFiles, AFileNameAloneIsTheFileInTheCurrentFolder) {
  test::TempDir dir;
  dir.write("here.ini", "[PC01]\r\nip=10.0.0.1\r\n");
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  for (NamedIniFiles& reader : iniReaders()) {
    SCOPED_TRACE(reader.name);
    EXPECT_EQ(reader.files->sectionNames("here.ini"), std::vector<std::string>{"PC01"});
    EXPECT_EQ(reader.files->value("here.ini", "PC01", "ip", ""), "10.0.0.1");
  }
  std::filesystem::current_path(before);
}

struct SectionCase {
  const char* what;
  std::string file;
  std::vector<std::string> expected;
};

std::string numberedSections(const char* format, int count, const char* body) {
  std::string out;
  char name[64];
  for (int i = 0; i < count; ++i) {
    std::snprintf(name, sizeof name, format, i);
    out.append("[").append(name).append("]\r\n").append(body);
  }
  return out;
}

std::vector<std::string> numberedNames(const char* format, int count) {
  std::vector<std::string> names;
  char name[64];
  for (int i = 0; i < count; ++i) {
    std::snprintf(name, sizeof name, format, i);
    names.push_back(name);
  }
  return names;
}

std::vector<std::string> withLast(std::vector<std::string> names, std::string last) {
  names.push_back(std::move(last));
  return names;
}

const SectionCase kSectionCases[] = {
    {"file order, case kept", kBasic, {"Sec1", "sec2"}},
    {"a comment line is no section", kComments, {"c"}},
    {"keys before the first section", "orphan=1\r\n[A]\r\nx=1\r\n", {"A"}},
    {"only keys: no section", "x=1\r\n", {}},
    {"repeated sections listed each time", kRepeated, {"A", "B", "a"}},
    {"bracket rules, '[]' not listed", kBrackets, {"S p", "T", "U", "V]"}},
    {"CR line ends", "[A]\rx=1\r[B]\ry=2\r", {"A", "B"}},
    {"0x1A around a section line", kControls, {"A", "B"}},
    {"UTF-8 byte order mark", "\xEF\xBB\xBF[A\xE4\xB8\xAD]\r\nx=\xE6\x96\x87\r\n", {"A中"}},
    {"UTF-16 LE byte order mark", utf16(u"[A中]\r\nx=文\r\n", false), {"A中"}},
    {"a 5,000-byte section name", kLongValues, {"A", repeat("S", 5000)}},
    {"a name with ']' as a second byte", "[\x81\x5d]\r\nx=1\r\n[\x81\x5dQ]\r\n", {"\x81\x5d", "\x81\x5dQ"}},
    {"an empty file", "", {}},
    // 29,257 names of 6 bytes fill the 204,800-byte buffer exactly.
    {"a full buffer", numberedSections("N%05d", 40000, "k=1\r\n"), numberedNames("N%05d", 29257)},
    // 22,755 names of 8 bytes leave room for 3 bytes of the next one.
    {"the last name cut", numberedSections("S%07d", 30000, ""), withLast(numberedNames("S%07d", 22755), "S00")},
    // 8,236 GBK names fit; of the next only four whole characters do.
    {"the last GBK name cut between characters", numberedSections("中中中中中中中中中中%d", 20000, ""),
     withLast(numberedNames("中中中中中中中中中中%d", 8236), repeat("中", 4))},
};

TEST(IniFiles, SectionNamesAsWindowsListsThem) {
  test::TempDir dir;
  for (NamedIniFiles& reader : iniReaders()) {
    SCOPED_TRACE(reader.name);
    int n = 0;
    for (const SectionCase& c : kSectionCases) {
      std::string path = dir.write(caseFile('s', n++), c.file);
      std::vector<std::string> names = reader.files->sectionNames(path);
      EXPECT_EQ(names.size(), c.expected.size()) << c.what;
      if (names.size() == c.expected.size()) {
        EXPECT_EQ(names, c.expected) << c.what;
      } else if (!names.empty() && !c.expected.empty()) {
        EXPECT_EQ(names.back(), c.expected.back()) << c.what;
      }
    }
  }
}

// Detection looks only at the first named section of a file, which our
// reader reads without the rest: it must answer as the whole file does.
TEST(IniFiles, FirstSectionAnswersAsTheWholeFile) {
  const std::string longName = repeat("S", 210000);
  std::vector<std::string> files = {
      repeat("k=1\r\n", 20000) + "[A]\r\nmac=1\r\n[B]\r\nmac=2\r\n",
      "[A]\r\n" + repeat("k=1\r\n", 20000) + "mac=00:11\r\n[B]\r\nmac=2\r\n",
      "[A]\r\nmac=9",
      "[A]\r\nmac=9\r",
      "[]\r\nmac=0\r\n[A]\r\nWksName=w\r\n",
      "[A]\r\n[]\r\nmac=0\r\n",
      "[A]\r\n[B]\r\n[a]\r\nmac=1\r\n",
      "mac=1\r\n[W\r\nmac=2\r\n",
      // The first name is cut to the buffer, and a later section has the cut name.
      "[" + longName + "]\r\nmac=1\r\n[" + repeat("S", 204798) + "]\r\nmac=2\r\n",
  };
  for (const ValueCase& c : kValueCases) files.push_back(c.file);
  for (const SectionCase& c : kSectionCases) files.push_back(c.file);
  const std::vector<std::string> keys = {"mac", "WksName", "x", "k"};

  test::TempDir dir;
  for (size_t n = 0; n < files.size(); ++n) {
    std::string path = dir.write(caseFile('f', int(n)), files[n]);
    // Each reader against a fresh one of its kind asked the whole file's way.
    std::vector<NamedIniFiles> readers = iniReaders(), wholeReaders = iniReaders();
    for (size_t r = 0; r < readers.size(); ++r) {
      SCOPED_TRACE(std::string(readers[r].name) + ", file " + std::to_string(n));
      platform::IniFiles& whole = *wholeReaders[r].files;
      std::vector<std::string> names = whole.sectionNames(path);
      std::optional<platform::IniFiles::FirstSection> first = readers[r].files->firstSection(path, keys, "未知");
      ASSERT_EQ(first.has_value(), !names.empty());
      if (!first) continue;
      EXPECT_EQ(first->name, names.front());
      ASSERT_EQ(first->values.size(), keys.size());
      for (size_t k = 0; k < keys.size(); ++k)
        EXPECT_EQ(first->values[k], whole.value(path, names.front(), keys[k], "未知")) << keys[k];
    }
  }
}

TEST(IniFiles, RewrittenFileIsReadAgain) {
  test::TempDir dir;
  for (NamedIniFiles& reader : iniReaders()) {
    SCOPED_TRACE(reader.name);
    platform::IniFiles& ini = *reader.files;
    std::string path = dir.write("list.ini", "[A]\r\nx=1\r\n");
    EXPECT_EQ(ini.value(path, "A", "x", ""), "1");
    dir.write("list.ini", "[A]\r\nx=2\r\n");  // same size, same moment
    EXPECT_EQ(ini.value(path, "A", "x", ""), "2");
    dir.write("list.ini", "[B]\r\nx=3\r\n");
    EXPECT_EQ(ini.sectionNames(path), std::vector<std::string>{"B"});
  }
}

// The buffer rule at small sizes, as Windows applies it; only our reader
// takes a buffer size, so these run on our reader everywhere.
TEST(IniText, SectionBufferRule) {
  platform::IniText ini(numberedSections("N%05d", 5, ""));
  struct Case {
    size_t bufferSize;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {0, {}},
      {1, {}},
      {2, {}},
      {3, {"N"}},
      {8, {"N00000"}},
      {9, {"N00000"}},  // the second name would be cut to nothing
      {20, {"N00000", "N00001", "N000"}},
      {21, {"N00000", "N00001", "N0000"}},
      {1000, numberedNames("N%05d", 5)},
  };
  for (const Case& c : cases) EXPECT_EQ(ini.sectionNames(c.bufferSize), c.expected) << c.bufferSize;
}

TEST(IniText, ValueBufferRule) {
  platform::IniText ini("[A]\r\nx=abcdef\r\ng=中文\r\nq=\"abc\"\r\n");
  struct Case {
    const char* key;
    size_t bufferSize;
    std::string expected;
  };
  const Case cases[] = {
      {"x", 0, ""}, {"x", 1, ""},    {"x", 4, "abc"},  {"x", 100, "abcdef"}, {"g", 4, "中"},
      {"g", 3, "中"}, {"g", 2, ""}, {"q", 3, "ab"},   {"missing", 3, "DE"},
  };
  for (const Case& c : cases) EXPECT_EQ(ini.value("A", c.key, "DEF", c.bufferSize), c.expected) << c.key << c.bufferSize;
}

// A reader asks section after section, several keys each: the answers must
// not depend on the order of the questions (a repeated section still
// answers from its first, a double-byte name's second byte is no letter).
TEST(IniText, LookupsInAnyOrderAnswerAsTheFirstSectionOfTheName) {
  platform::IniText ini(
      "[A]\r\nk=1\r\n[B]\r\nk=2\r\n[a]\r\nk=3\r\n[C]\r\nk=4\r\n[\xB0" "a]\r\nk=5\r\n[\xB0" "A]\r\nk=6\r\n");
  struct Case {
    std::string section;
    std::string expected;
  };
  const Case cases[] = {
      {"A", "1"}, {"A", "1"}, {"B", "2"}, {"a", "1"},  {" c ", "4"}, {"\xB0" "a", "5"}, {"\xB0" "A", "6"},
      {"B", "2"}, {"b", "2"}, {"D", "-"}, {"D", "-"}, {"C", "4"},   {"\xB0" "A", "6"}, {"A", "1"},
  };
  for (const Case& c : cases) EXPECT_EQ(ini.value(c.section, "k", "-", 100), c.expected) << c.section;
}

}  // namespace
}  // namespace tl
