#include "platform/ini_text.h"

#include "data/text/gbk_text.h"
#include "platform/text_codec.h"

// Where these rules come from: each was decided by running the Windows
// profile functions (under Wine) on small files; the unit tests keep those
// files as a table that both readers must pass.
// - Every CR and every LF ends a line, also a lone CR in a file with LF.
// - White space is space, TAB, LF, VT, FF, CR and the DOS end-of-file byte
//   0x1A; lines, section names, key names and values are trimmed of it.
//   Other control bytes and the ideographic space stay.
// - No comment syntax: ";k=v" is a key named ";k", and "v ; note" a value.
// - "[name]" uses the last "]" of the line, so "[a] x" is "a" and "[a]]" is
//   "a]"; "[a" with no "]" is a key line. "[]" starts a section without a
//   name, which is never listed and ends the section before it.
// - Keys before the first section belong to a section without a name.
// - A repeated section is listed each time, but a lookup only searches the
//   first section of that name; a repeated key gives its first value.
// - A line without "=" is a key without a value: looking it up gives the
//   default; "k=" gives the empty text.
// - One pair of equal quotes (" or ') around a value of two or more bytes is
//   removed.
// - Names and values end at a NUL byte.
// - Only ASCII letters are compared without regard to case; full-width,
//   Greek and Cyrillic letters are compared as they are.
// - Long values and a full section-name buffer are cut at a character
//   boundary (Windows writes whole characters of the ANSI code page).
namespace tl::platform {
namespace {

bool isIniSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == '\x1a';
}

std::string_view trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && isIniSpace(s[b])) ++b;
  while (e > b && isIniSpace(s[e - 1])) --e;
  return s.substr(b, e - b);
}

bool equalIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (text::asciiUpper(a[i]) != text::asciiUpper(b[i])) return false;
  return true;
}

// The longest prefix of at most `limit` bytes that does not end inside a
// double-byte character.
std::string_view cutAtCharacter(std::string_view s, size_t limit) {
  if (s.size() <= limit) return s;
  size_t pos = 0;
  while (pos < s.size()) {
    size_t next = pos + text::charLength(s, pos);
    if (next > limit) break;
    pos = next;
  }
  return s.substr(0, pos);
}

void appendUtf8(std::string& out, unsigned long cp) {
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xF0 | (cp >> 18));
    out += char(0x80 | ((cp >> 12) & 0x3F));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD, an odd last byte is
// dropped.
std::string utf16ToUtf8(std::string_view bytes, bool bigEndian) {
  std::string out;
  out.reserve(bytes.size());
  auto unit = [&](size_t i) -> unsigned {
    unsigned a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
    return bigEndian ? (a << 8 | b) : (b << 8 | a);
  };
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    unsigned u = unit(i);
    if (u >= 0xD800 && u < 0xDC00 && i + 3 < bytes.size()) {
      unsigned low = unit(i + 2);
      if (low >= 0xDC00 && low < 0xE000) {
        appendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
        i += 2;
        continue;
      }
    }
    appendUtf8(out, (u >= 0xD800 && u < 0xE000) ? 0xFFFD : u);
  }
  return out;
}

// The file as GBK text. Windows reads a file with a UTF-8 or UTF-16 byte
// order mark as Unicode and the ANSI functions return its texts in GBK.
std::string asGbk(std::string bytes) {
  std::string_view view = bytes;
  if (view.substr(0, 3) == "\xEF\xBB\xBF") return utf8ToGbk(view.substr(3));
  if (view.substr(0, 2) == "\xFF\xFE") return utf8ToGbk(utf16ToUtf8(view.substr(2), false));
  if (view.substr(0, 2) == "\xFE\xFF") return utf8ToGbk(utf16ToUtf8(view.substr(2), true));
  return bytes;
}

// The position of the last "]" after the first byte that is a character of
// its own (not the second byte of a double-byte character), or npos.
size_t lastClosingBracket(std::string_view line) {
  size_t found = std::string_view::npos;
  for (size_t pos = 1; pos < line.size(); pos += text::charLength(line, pos))
    if (line[pos] == ']') found = pos;
  return found;
}

}  // namespace

IniText::IniText(std::string fileBytes) : content_(asGbk(std::move(fileBytes))) {
  addSection({});  // keys before the first section
  std::string_view rest = content_;
  while (!rest.empty()) {
    size_t end = rest.find_first_of("\r\n");
    if (end == std::string_view::npos) end = rest.size();
    parseLine(rest.substr(0, end));
    rest.remove_prefix(end == rest.size() ? end : end + 1);
  }
}

void IniText::addSection(std::string_view name) {
  firstSection_.try_emplace(text::toUpperAscii(name), sections_.size());
  sections_.push_back(Section{name, entries_.size(), entries_.size()});
}

void IniText::parseLine(std::string_view raw) {
  std::string_view line = trim(raw);
  if (line.empty()) return;
  if (line.front() == '[') {
    size_t close = lastClosingBracket(line);
    if (close != std::string_view::npos) {
      addSection(text::untilNul(trim(line.substr(1, close - 1))));
      return;
    }
  }
  size_t equals = line.find('=');  // '=' is never the second byte of a GBK character
  if (equals == std::string_view::npos) {
    entries_.push_back(Entry{text::untilNul(line), {}, false});
  } else {
    entries_.push_back(
        Entry{text::untilNul(trim(line.substr(0, equals))), text::untilNul(trim(line.substr(equals + 1))), true});
  }
  sections_.back().endEntry = entries_.size();
}

std::vector<std::string> IniText::sectionNames(size_t bufferSize) const {
  std::vector<std::string> names;
  if (bufferSize < 2) return names;
  // Windows keeps the last byte for the list's closing NUL: a name that
  // does not fit with its own NUL before it is cut, and the list ends there.
  size_t room = bufferSize - 1;
  for (const Section& section : sections_) {
    if (section.name.empty()) continue;
    size_t need = section.name.size() + 1;
    if (need >= room) {
      std::string_view cut = cutAtCharacter(section.name, room - 1);
      if (!cut.empty()) names.emplace_back(cut);
      break;
    }
    names.emplace_back(section.name);
    room -= need;
  }
  return names;
}

std::string IniText::value(std::string_view section, std::string_view key, std::string_view fallback,
                           size_t bufferSize) const {
  if (bufferSize == 0) return {};
  size_t limit = bufferSize - 1;
  auto sectionAt = firstSection_.find(text::toUpperAscii(text::untilNul(trim(section))));
  if (sectionAt == firstSection_.end()) return std::string(cutAtCharacter(fallback, limit));
  const Section& found = sections_[sectionAt->second];
  std::string_view wanted = text::untilNul(trim(key));
  const Entry* entry = nullptr;
  for (size_t i = found.firstEntry; i < found.endEntry && !entry; ++i)
    if (equalIgnoringAsciiCase(entries_[i].name, wanted)) entry = &entries_[i];
  if (!entry || !entry->hasValue) return std::string(cutAtCharacter(fallback, limit));
  std::string_view result = entry->value;
  if (result.size() >= 2 && (result.front() == '"' || result.front() == '\'') && result.back() == result.front())
    result = result.substr(1, result.size() - 2);
  return std::string(cutAtCharacter(result, limit));
}

}  // namespace tl::platform
