// The INI reader's sections and values against a plain line-by-line reading
// of the same rules, on random texts full of what can fool a header search:
// "[" inside lines, after spaces that do not end a line (tab, VT, FF, 0x1A),
// after a GBK lead byte, headers without "]", empty names, CR and LF alone,
// NUL bytes, quotes, and "=" among spaces. Values asked several keys at a
// time must agree with values asked one by one.
#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "data/text/gbk_text.h"
#include "platform/ini_text.h"

namespace tl::platform {
namespace {

namespace reference {

bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == '\x1a';
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && isSpace(s.back())) s.remove_suffix(1);
  return s;
}

// Names, keys and values end at a NUL, after trimming.
std::string trimmedName(std::string_view s) {
  s = trim(s);
  return std::string(s.substr(0, s.find('\0')));
}

std::string unquoted(const std::string& value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

struct Entry {
  std::string key;
  std::optional<std::string> value;
};
struct Section {
  std::string name;
  std::vector<Entry> entries;
};

// Every CR and every LF ends a line; a trimmed line that starts with "["
// and holds a "]" of its own (not the second byte of a GBK character) is a
// header, named by what stands before its last such "]".
std::vector<Section> read(std::string_view text) {
  std::vector<Section> sections(1);
  size_t begin = 0;
  while (begin <= text.size()) {
    size_t end = text.find_first_of("\r\n", begin);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = trim(text.substr(begin, end - begin));
    begin = end + 1;
    if (line.empty()) continue;
    size_t close = std::string_view::npos;
    for (size_t pos = 1; pos < line.size(); pos += text::charLength(line, pos))
      if (line[pos] == ']') close = pos;
    if (line.front() == '[' && close != std::string_view::npos) {
      sections.push_back({trimmedName(line.substr(1, close - 1)), {}});
      continue;
    }
    const size_t equals = line.find('=');
    Entry entry{trimmedName(line.substr(0, equals)), std::nullopt};
    if (equals != std::string_view::npos) entry.value = trimmedName(line.substr(equals + 1));
    sections.back().entries.push_back(entry);
  }
  return sections;
}

std::string value(const std::vector<Section>& sections, const std::string& name, const std::string& key,
                  const std::string& fallback) {
  for (size_t i = 1; i < sections.size(); ++i) {
    if (text::toUpperAscii(sections[i].name) != text::toUpperAscii(name)) continue;
    for (const Entry& entry : sections[i].entries)
      if (text::toUpperAscii(entry.key) == text::toUpperAscii(key))
        return entry.value ? unquoted(*entry.value) : fallback;
    return fallback;
  }
  return fallback;
}

}  // namespace reference

TEST(IniTextDifferential, SectionsAndValuesMatchALineByLineReading) {
  static const std::vector<std::string> pieces = {
      "[", "]", "[s]", "[S]", "[t]", " [s] ", "\t[t]", "\v[u]", "\f[s]", "\x1a[t]", "[]", "[ ]", "x[s]", "\x81[s]",
      "[s\x81]", "[\x81]t]", "\xB0\xA1", " ", "\t", "\r", "\n", "\r\n", "k", "key", "Key", "a", "=", "v", "1", "[s",
      "s]", "]]", "[[t]]", std::string(1, '\0'), "\"", "'", " = ", "key=\"v\"", "a='x'  ", "KEY\t=\t1"};
  std::mt19937 random(20261211);
  for (int round = 0; round < 30000; ++round) {
    std::string text;
    for (size_t n = random() % 40; n > 0; --n) text += pieces[random() % pieces.size()];
    SCOPED_TRACE(::testing::PrintToString(text));
    const std::vector<reference::Section> sections = reference::read(text);
    const IniText ini(text);
    std::vector<std::string> names;
    for (size_t i = 1; i < sections.size(); ++i)
      if (!sections[i].name.empty()) names.push_back(sections[i].name);
    ASSERT_EQ(ini.sectionNames(204800), names);
    const std::vector<std::string> keys = {"k", "key", "a", "KEY"};
    for (const std::string& name : {std::string("s"), std::string("T"), std::string("u"), std::string("[s")}) {
      std::vector<std::string> together(keys.size());
      std::vector<std::string*> into;
      for (std::string& cell : together) into.push_back(&cell);
      ini.values(name, keys, "FB", 10240, into);
      for (size_t k = 0; k < keys.size(); ++k) {
        ASSERT_EQ(ini.value(name, keys[k], "FB", 10240), reference::value(sections, name, keys[k], "FB"))
            << name << keys[k];
        ASSERT_EQ(together[k], reference::value(sections, name, keys[k], "FB")) << name << keys[k];
      }
    }
  }
}

}  // namespace
}  // namespace tl::platform
