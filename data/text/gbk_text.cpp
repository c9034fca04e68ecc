#include "data/text/gbk_text.h"

#include <cstring>

namespace tl::text {
namespace {

template <char (*Fold)(char)>
std::string foldAscii(std::string_view s) {
  std::string out(s);
  for (size_t i = 0; i < out.size();) {
    size_t n = charLength(out, i);
    if (n == 1) out[i] = Fold(out[i]);
    i += n;
  }
  return out;
}

bool matchesAt(std::string_view hay, size_t pos, std::string_view needle, Case mode) {
  if (hay.size() - pos < needle.size()) return false;
  if (mode == Case::Sensitive) return std::memcmp(hay.data() + pos, needle.data(), needle.size()) == 0;
  for (size_t k = 0; k < needle.size(); ++k)
    if (asciiUpper(hay[pos + k]) != asciiUpper(needle[k])) return false;
  return true;
}

bool isAsciiText(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// replaceAll for a needle of ASCII bytes only: every byte it matches is below
// 0x80, so after a match the scan stands on a character boundary again, and
// the scan's matches are the occurrences that start on a boundary of `text`
// itself, taken left to right without overlap. Candidates are found by the
// needle's first byte (both cases), and only they are checked for the
// boundary.
bool replaceAsciiNeedle(std::string_view text, std::string_view from, std::string_view to, Case mode,
                        std::string& out) {
  const char first = from[0];
  const char firstOther = mode == Case::Insensitive ? (asciiUpper(first) == first ? asciiLower(first) : asciiUpper(first))
                                                    : first;
  out.clear();
  size_t copied = 0;  // text[copied, i) still to be copied
  bool replaced = false;
  for (size_t i = 0; i + from.size() <= text.size(); ++i) {
    char c = text[i];
    if (c != first && c != firstOther) continue;
    if (!matchesAt(text, i, from, mode) || !startsCharacter(text, i)) continue;
    out.append(text.data() + copied, i - copied);
    out.append(to);
    i += from.size() - 1;
    copied = i + 1;
    replaced = true;
  }
  if (replaced) out.append(text.data() + copied, text.size() - copied);
  return replaced;
}

}  // namespace

std::string toUpperAscii(std::string_view s) { return foldAscii<asciiUpper>(s); }
std::string toLowerAscii(std::string_view s) { return foldAscii<asciiLower>(s); }

size_t find(std::string_view hay, std::string_view needle, Case mode, size_t from) {
  if (needle.empty()) return from <= hay.size() ? from : npos;
  if (from > hay.size()) return npos;
  if (static_cast<unsigned char>(needle[0]) < 0x80) {
    // An ASCII first byte: only the positions holding it (in either case)
    // are checked, and only a match is checked for starting a character
    // (counted from `from`, where the search steps from).
    const char first = needle[0];
    const char other = mode == Case::Insensitive ? (asciiUpper(first) == first ? asciiLower(first) : asciiUpper(first))
                                                 : first;
    std::string_view searched = hay.substr(from);
    for (size_t i = 0; i < searched.size() && searched.size() - i >= needle.size(); ++i) {
      if (searched[i] != first && searched[i] != other) continue;
      if (matchesAt(searched, i, needle, mode) && startsCharacter(searched, i)) return from + i;
    }
    return npos;
  }
  for (size_t i = from; i < hay.size() && hay.size() - i >= needle.size(); i += charLength(hay, i))
    if (matchesAt(hay, i, needle, mode)) return i;
  return npos;
}

std::string replaceAll(std::string_view text, std::string_view from, std::string_view to, Case mode) {
  if (from.empty()) return std::string(text);
  if (isAsciiText(from)) {
    std::string out;
    if (!replaceAsciiNeedle(text, from, to, mode, out)) return std::string(text);
    return out;
  }
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    if (matchesAt(text, i, from, mode)) {
      out.append(to);
      i += from.size();
    } else {
      size_t n = charLength(text, i);
      out.append(text.substr(i, n));
      i += n;
    }
  }
  return out;
}

bool replaceAllInto(std::string_view text, std::string_view from, std::string_view to, Case mode,
                    std::string& out) {
  if (from.empty()) return false;
  if (isAsciiText(from)) return replaceAsciiNeedle(text, from, to, mode, out);
  if (find(text, from, mode) == npos) return false;
  out = replaceAll(text, from, to, mode);
  return true;
}

void splitInto(std::string_view text, char separator, std::vector<std::string_view>& pieces) {
  pieces.clear();
  size_t start = 0;
  for (size_t i = 0; i < text.size();) {
    size_t n = charLength(text, i);
    if (n == 1 && text[i] == separator) {
      pieces.push_back(text.substr(start, i - start));
      start = i + 1;
    }
    i += n;
  }
  if (start < text.size()) pieces.push_back(text.substr(start));
}

Replacer::Replacer(std::string_view from, std::string_view to, Case mode)
    : from_(from),
      to_(to),
      foldBits_(from.size(), '\0'),
      folded_(from),
      mode_(mode),
      ascii_(!from.empty() && isAsciiText(from)),
      asciiTo_(!to.empty() && isAsciiText(to)) {
  if (mode != Case::Insensitive) return;
  for (size_t k = 0; k < from.size(); ++k)
    if (asciiLower(from[k]) != asciiUpper(from[k])) {
      foldBits_[k] = 0x20;
      folded_[k] = char(folded_[k] | 0x20);
    }
}

bool Replacer::into(std::string_view text, std::string& out) const {
  if (!ascii_) return replaceAllInto(text, from_, to_, mode_, out);
  // As replaceAsciiNeedle: the needle's bytes are all below 0x80, so a
  // match is checked for starting a character only once found.
  const size_t m = from_.size();
  const char fold = foldBits_[0], first = folded_[0];
  bool replaced = false;
  size_t copied = 0;
  for (size_t i = 0; i + m <= text.size(); ++i) {
    if (char(text[i] | fold) != first || !asciiRestMatchesAt(text, i) || !startsCharacter(text, i)) continue;
    if (!replaced) out.clear();
    replaced = true;
    out.append(text.data() + copied, i - copied);
    out.append(to_);
    i += m - 1;
    copied = i + 1;
  }
  if (replaced) out.append(text.data() + copied, text.size() - copied);
  return replaced;
}

bool Replacer::inPlaceByCopy(std::string& text, std::string& scratch) const {
  if (!into(text, scratch)) return false;
  text.assign(scratch);
  return true;
}

std::vector<std::string> split(std::string_view text, char separator) {
  std::vector<std::string_view> views;
  splitInto(text, separator, views);
  return std::vector<std::string>(views.begin(), views.end());
}

size_t findLastChar(std::string_view text, char c) {
  size_t last = npos;
  for (size_t i = 0; i < text.size(); i += charLength(text, i))
    if (text[i] == c && charLength(text, i) == 1) last = i;
  return last;
}

std::string removeAll(std::string_view text, char c) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    size_t n = charLength(text, i);
    if (!(n == 1 && text[i] == c)) out.append(text.substr(i, n));
    i += n;
  }
  return out;
}

}  // namespace tl::text
