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

}  // namespace

std::string toUpperAscii(std::string_view s) { return foldAscii<asciiUpper>(s); }
std::string toLowerAscii(std::string_view s) { return foldAscii<asciiLower>(s); }

size_t find(std::string_view hay, std::string_view needle, Case mode, size_t from) {
  if (needle.empty()) return from <= hay.size() ? from : npos;
  for (size_t i = from; i < hay.size() && hay.size() - i >= needle.size(); i += charLength(hay, i))
    if (matchesAt(hay, i, needle, mode)) return i;
  return npos;
}

std::string replaceAll(std::string_view text, std::string_view from, std::string_view to, Case mode) {
  if (from.empty()) return std::string(text);
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

std::vector<std::string> split(std::string_view text, char separator) {
  std::vector<std::string> pieces;
  size_t start = 0;
  for (size_t i = 0; i < text.size();) {
    size_t n = charLength(text, i);
    if (n == 1 && text[i] == separator) {
      pieces.emplace_back(text.substr(start, i - start));
      start = i + 1;
    }
    i += n;
  }
  if (start < text.size()) pieces.emplace_back(text.substr(start));
  return pieces;
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

std::string_view untilNul(std::string_view bytes) {
  size_t z = bytes.find('\0');
  return z == npos ? bytes : bytes.substr(0, z);
}

}  // namespace tl::text
