#include "platform/ini_text.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>

#include "data/text/byte_block.h"
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

// The spaces that do not end a line, as bits by byte value: space, TAB, VT,
// FF and 0x1A; CR and LF are the others.
constexpr uint64_t kSpacesWithinLine =
    (1ull << ' ') | (1ull << '\t') | (1ull << '\v') | (1ull << '\f') | (1ull << 0x1a);
constexpr uint64_t kIniSpaces = kSpacesWithinLine | (1ull << '\r') | (1ull << '\n');

bool isSpaceWithinLine(char c) {
  const unsigned byte = static_cast<unsigned char>(c);
  return byte <= ' ' && ((kSpacesWithinLine >> byte) & 1) != 0;
}
bool isIniSpace(char c) {
  const unsigned byte = static_cast<unsigned char>(c);
  return byte <= ' ' && ((kIniSpaces >> byte) & 1) != 0;
}

[[gnu::always_inline]] inline std::string_view trimRight(std::string_view s) {
  size_t e = s.size();
  while (e > 0 && isIniSpace(s[e - 1])) --e;
  return s.substr(0, e);
}

// The bits of a block's CR and LF bytes.
[[gnu::always_inline]] inline uint32_t lineEndsIn(const char* bytes) {
  return text::block::equal(bytes, '\r') | text::block::equal(bytes, '\n');
}

// Where the line that starts at `pos` has its first "=" (npos when it has
// none) and where it ends (its first CR or LF, or the end). Sixteen bytes
// at a time, so a usual "key=value" line takes one or two blocks.
struct LineShape {
  size_t equals;
  size_t end;
};
[[gnu::always_inline]] inline LineShape lineShape(std::string_view s, size_t pos) {
  for (; s.size() - pos >= text::block::kSize; pos += text::block::kSize) {
    const char* bytes = s.data() + pos;
    const uint32_t ends = lineEndsIn(bytes);
    const uint32_t beforeEnd = ends ? (ends & (0u - ends)) - 1 : 0xFFFFu;
    const uint32_t equals = text::block::equal(bytes, '=') & beforeEnd;
    if (equals) {
      const size_t at = pos + size_t(std::countr_zero(equals));
      return {at, ends ? pos + size_t(std::countr_zero(ends)) : iniLineEnd(s, pos + text::block::kSize)};
    }
    if (ends) return {std::string_view::npos, pos + size_t(std::countr_zero(ends))};
  }
  size_t equals = std::string_view::npos;
  for (; pos < s.size() && s[pos] != '\r' && s[pos] != '\n'; ++pos)
    if (s[pos] == '=' && equals == std::string_view::npos) equals = pos;
  return {equals, pos};
}

// Whether n bytes (from sizeof(Word) to twice that) are the same at a and
// at b: two words that overlap, from the start and to the end.
template <typename Word>
bool sameByWords(const char* a, const char* b, size_t n) {
  Word a0, a1, b0, b1;
  std::memcpy(&a0, a, sizeof(Word));
  std::memcpy(&a1, a + n - sizeof(Word), sizeof(Word));
  std::memcpy(&b0, b, sizeof(Word));
  std::memcpy(&b1, b + n - sizeof(Word), sizeof(Word));
  return ((a0 ^ b0) | (a1 ^ b1)) == 0;
}

// Whether two texts hold the same bytes. Keys and section names are short:
// one of 4 to 16 bytes is compared in place, as two words.
bool sameBytes(std::string_view a, std::string_view b) {
  const size_t n = a.size();
  if (n != b.size()) return false;
  if (n >= 8 && n <= 16) return sameByWords<uint64_t>(a.data(), b.data(), n);
  if (n >= 4 && n < 8) return sameByWords<uint32_t>(a.data(), b.data(), n);
  return n == 0 || std::memcmp(a.data(), b.data(), n) == 0;
}

[[gnu::always_inline]] inline std::string_view trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && isIniSpace(s[b])) ++b;
  while (e > b && isIniSpace(s[e - 1])) --e;
  return s.substr(b, e - b);
}

bool equalIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  // Keys mostly stand in the file as they are asked for: equal bytes need
  // no folding.
  if (sameBytes(a, b)) return true;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i] && text::asciiUpper(a[i]) != text::asciiUpper(b[i])) return false;
  return true;
}

// Whether toUpperAscii(a) == toUpperAscii(b) (ASCII letters folded, a
// double-byte character compared as it is), without making either.
bool sameUpperForm(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  if (sameBytes(a, b)) return true;
  for (size_t i = 0; i < a.size(); ++i) {
    if (text::asciiUpper(a[i]) != text::asciiUpper(b[i])) return false;
    // Equal lead bytes: the second bytes of the characters must be equal
    // as they are.
    if (static_cast<unsigned char>(a[i]) >= 0x80 && i + 1 < a.size()) {
      ++i;
      if (a[i] != b[i]) return false;
    }
  }
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

// One pair of equal quotes around a value of two or more bytes goes.
std::string_view unquoted(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

// The position of the last "]" after the first byte that is a character of
// its own (not the second byte of a double-byte character), or npos.
size_t lastClosingBracket(std::string_view line) {
  size_t found = std::string_view::npos;
  for (size_t pos = 1; pos < line.size(); pos += text::charLength(line, pos))
    if (line[pos] == ']') found = pos;
  return found;
}

// The name of a section header line ("[name]" after trimming), or nullopt
// for any other line.
std::optional<std::string_view> headerName(std::string_view raw) {
  std::string_view line = trim(raw);
  if (line.empty() || line.front() != '[') return std::nullopt;
  size_t close = lastClosingBracket(line);
  if (close == std::string_view::npos) return std::nullopt;
  return text::untilNul(trim(line.substr(1, close - 1)));
}

}  // namespace

std::optional<std::string_view> iniSectionHeaderName(std::string_view line) { return headerName(line); }

// Sixteen bytes at a time, then eight: a byte equal to CR or LF becomes
// zero after the XOR. Little-endian loads.
size_t iniLineEnd(std::string_view s, size_t pos) {
  for (; s.size() - pos >= text::block::kSize; pos += text::block::kSize)
    if (const uint32_t ends = lineEndsIn(s.data() + pos)) return pos + size_t(std::countr_zero(ends));
  constexpr uint64_t ones = 0x0101010101010101ull;
  while (s.size() - pos >= 8) {
    uint64_t word;
    std::memcpy(&word, s.data() + pos, 8);
    const uint64_t hit = text::zeroByteFlags(word ^ (ones * '\r')) | text::zeroByteFlags(word ^ (ones * '\n'));
    if (hit) return pos + size_t(__builtin_ctzll(hit) >> 3);
    pos += 8;
  }
  while (pos < s.size() && s[pos] != '\r' && s[pos] != '\n') ++pos;
  return pos;
}

IniText::IniText(std::string fileBytes)
    : content_(asGbk(std::move(fileBytes))), contentHasNul_(content_.find('\0') != std::string::npos) {
  sections_.push_back(Section{{}, 0, content_.size(), true});  // keys before the first section
  firstByName_.emplace(std::string(), 0);
}

// Only a line whose first byte past the spaces is "[" can be a header, so
// the lines between headers are stepped over by looking for "[" alone; each
// one found is taken for a header when nothing but spaces stands between it
// and the start of its line.
bool IniText::parseNextSection() const {
  std::string_view content = content_;
  const size_t begin = parsedTo_;  // the start of a line
  for (size_t from = begin; from < content.size();) {
    const void* hit = std::memchr(content.data() + from, '[', content.size() - from);
    if (!hit) break;
    const size_t bracket = size_t(static_cast<const char*>(hit) - content.data());
    from = bracket + 1;
    size_t lineBegin = bracket;
    while (lineBegin > begin && isSpaceWithinLine(content[lineBegin - 1])) --lineBegin;
    if (lineBegin > begin && content[lineBegin - 1] != '\r' && content[lineBegin - 1] != '\n') continue;
    const size_t end = iniLineEnd(content, bracket);
    std::optional<std::string_view> name = headerName(content.substr(lineBegin, end - lineBegin));
    if (!name) continue;
    parsedTo_ = end + 1;
    sections_.back().bodyEnd = lineBegin;
    bool first = firstByName_.emplace(text::toUpperAscii(*name), sections_.size()).second;
    sections_.push_back(Section{*name, end, content.size(), first});
    return true;
  }
  parsedTo_ = content.size();
  return false;
}

size_t IniText::findSection(std::string_view upperName) const {
  auto found = firstByName_.find(std::string(upperName));
  while (found == firstByName_.end()) {
    if (!parseNextSection()) return std::string_view::npos;
    if (text::toUpperAscii(sections_.back().name) == upperName) found = firstByName_.find(std::string(upperName));
  }
  // The last section parsed ends only where the next header starts.
  if (found->second + 1 == sections_.size()) parseNextSection();
  return found->second;
}

size_t IniText::sectionFor(std::string_view section) const {
  if (looked_ && section == lastQuery_) return lastAnswer_;
  std::string_view wanted = text::untilNul(trim(section));
  size_t next = looked_ && lastAnswer_ != std::string_view::npos ? lastAnswer_ + 1 : 1;
  size_t index;
  if (next < sections_.size() && sections_[next].firstOfName && sameUpperForm(sections_[next].name, wanted)) {
    index = next;
    // The last section parsed ends only where the next header starts.
    if (index + 1 == sections_.size()) parseNextSection();
  } else {
    index = findSection(text::toUpperAscii(wanted));
  }
  // The answer is final: the first section of a name stays the first, and
  // none means the whole file was parsed.
  looked_ = true;
  lastQuery_.assign(section);
  lastAnswer_ = index;
  return index;
}

std::vector<std::string> IniText::sectionNames(size_t bufferSize) const {
  std::vector<std::string> names;
  if (bufferSize < 2) return names;
  // Windows keeps the last byte for the list's closing NUL: a name that
  // does not fit with its own NUL before it is cut, and the list ends there.
  size_t room = bufferSize - 1;
  for (size_t i = 1; i < sections_.size() || parseNextSection(); ++i) {
    std::string_view name = sections_[i].name;
    if (name.empty()) continue;
    size_t need = name.size() + 1;
    if (need >= room) {
      std::string_view cut = cutAtCharacter(name, room - 1);
      if (!cut.empty()) names.emplace_back(cut);
      break;
    }
    names.emplace_back(name);
    room -= need;
  }
  return names;
}

std::string IniText::value(std::string_view section, std::string_view key, std::string_view fallback,
                           size_t bufferSize) const {
  if (bufferSize == 0) return {};
  size_t limit = bufferSize - 1;
  size_t index = sectionFor(section);
  if (index == std::string_view::npos) return std::string(cutAtCharacter(fallback, limit));
  splitEntries(index);
  return lookUp(key, fallback, limit);
}

void IniText::values(std::string_view section, const std::vector<std::string>& keys, std::string_view fallback,
                     size_t bufferSize, std::span<std::string* const> out) const {
  if (out.size() < keys.size()) return;
  if (bufferSize == 0) {
    for (size_t k = 0; k < keys.size(); ++k) out[k]->clear();
    return;
  }
  size_t limit = bufferSize - 1;
  size_t index = sectionFor(section);
  if (index == std::string_view::npos) {
    for (size_t k = 0; k < keys.size(); ++k) out[k]->assign(cutAtCharacter(fallback, limit));
    return;
  }
  if (keys.size() <= kKeysInOnePass) return valuesInOnePass(index, keys, fallback, limit, out);
  splitEntries(index);
  for (size_t k = 0; k < keys.size(); ++k) *out[k] = lookUp(keys[k], fallback, limit);
}

// The keys are trimmed once, and the section's lines are read once, each
// line's key compared with the keys not yet found: a key's first line
// decides it, as lookUp decides. Reading stops when every key is found.
void IniText::valuesInOnePass(size_t index, const std::vector<std::string>& keys, std::string_view fallback,
                              size_t limit, std::span<std::string* const> out) const {
  struct Key {  // a trimmed key; no constructor, so the array is not cleared first
    const char* data;
    size_t size;
  } wanted[kKeysInOnePass];
  for (size_t k = 0; k < keys.size(); ++k) {
    std::string_view key = text::untilNul(trim(keys[k]));
    wanted[k] = Key{key.data(), key.size()};
  }
  uint32_t missing = uint32_t((uint64_t(1) << keys.size()) - 1);  // bit k: key k not found yet
  const Section& found = sections_[index];
  std::string_view body = std::string_view(content_).substr(found.bodyBegin, found.bodyEnd - found.bodyBegin);
  for (size_t begin = 0; missing != 0 && begin < body.size();) {
    const std::optional<Entry> entry = nextEntry(body, begin);
    if (!entry) continue;
    for (uint32_t left = missing; left != 0; left &= left - 1) {
      const int k = __builtin_ctz(left);
      if (!equalIgnoringAsciiCase(entry->key, std::string_view(wanted[k].data, wanted[k].size))) continue;
      missing &= ~(uint32_t(1) << k);
      out[size_t(k)]->assign(cutAtCharacter(entry->hasValue ? unquoted(entry->value) : fallback, limit));
    }
  }
  for (; missing != 0; missing &= missing - 1)
    out[size_t(__builtin_ctz(missing))]->assign(cutAtCharacter(fallback, limit));
}

void IniText::splitEntries(size_t index) const {
  if (entriesOf_ == index) return;
  entries_.clear();
  const Section& found = sections_[index];
  std::string_view body = std::string_view(content_).substr(found.bodyBegin, found.bodyEnd - found.bodyBegin);
  for (size_t begin = 0; begin < body.size();)
    if (std::optional<Entry> entry = nextEntry(body, begin)) entries_.push_back(*entry);
  entriesOf_ = index;
}

// Inline: the one-pass read of a section's values calls it for every line.
// Blank lines and the spaces before a key are stepped over together.
[[gnu::always_inline]] inline std::optional<IniText::Entry> IniText::nextEntry(std::string_view body,
                                                                               size_t& begin) const {
  size_t keyBegin = begin;
  while (keyBegin < body.size() && isIniSpace(body[keyBegin])) ++keyBegin;
  if (keyBegin == body.size()) {
    begin = keyBegin;
    return std::nullopt;
  }
  const LineShape line = lineShape(body, keyBegin);  // '=' is never the second byte of a GBK character
  begin = line.end + 1;
  // Most files hold no NUL: then no name or value needs cutting at one.
  auto cut = [&](std::string_view s) { return contentHasNul_ ? text::untilNul(s) : s; };
  if (line.equals == std::string_view::npos)
    return Entry{cut(trimRight(body.substr(keyBegin, line.end - keyBegin))), {}, false};
  const std::string_view key = trimRight(body.substr(keyBegin, line.equals - keyBegin));
  return Entry{cut(key), cut(trim(body.substr(line.equals + 1, line.end - line.equals - 1))), true};
}

std::string IniText::lookUp(std::string_view key, std::string_view fallback, size_t limit) const {
  // The first line with the key decides; a line without "=" is a key
  // without a value.
  std::string_view wantedKey = text::untilNul(trim(key));
  for (const Entry& entry : entries_) {
    if (!equalIgnoringAsciiCase(entry.key, wantedKey)) continue;
    if (!entry.hasValue) break;
    return std::string(cutAtCharacter(unquoted(entry.value), limit));
  }
  return std::string(cutAtCharacter(fallback, limit));
}

}  // namespace tl::platform
