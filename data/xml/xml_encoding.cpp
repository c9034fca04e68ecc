#include "data/xml/xml_encoding.h"

#include <utility>

#include "data/text/gbk_text.h"
#include "platform/text_codec.h"

namespace tl::xml {
namespace {

constexpr std::string_view kFullWidthSpace = "\xA1\xA1";

std::string_view trimSpaces(std::string_view s) {
  for (;;) {
    if (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    else if (s.starts_with(kFullWidthSpace)) s.remove_prefix(2);
    else break;
  }
  for (;;) {
    if (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    else if (s.ends_with(kFullWidthSpace)) s.remove_suffix(2);
    else break;
  }
  return s;
}

}  // namespace

std::string declaredEncoding(std::string_view text) {
  constexpr std::string_view kWord = "encoding";
  size_t word = text::find(text, kWord, text::Case::Insensitive);
  // Without the word the position counts as -1 (1-based), so the value is
  // looked for from the seventh byte on.
  size_t start = word == text::npos ? 6 : word + kWord.size();
  if (start > text.size()) return {};
  size_t end = text.find("?>", start);
  if (end == std::string_view::npos) return {};
  std::string value;
  for (char c : text.substr(start, end - start))
    if (c != '=' && c != '"') value += c;
  return text::toLowerAscii(trimSpaces(value));
}

std::string documentAsGbk(std::string_view bytes) {
  std::string_view text = text::untilNul(bytes);
  if (declaredEncoding(text) == "utf-8") return platform::utf8ToGbk(text);
  return std::string(text);
}

std::string documentAsGbk(std::string&& bytes) {
  std::string_view text = text::untilNul(bytes);
  if (declaredEncoding(text) == "utf-8") return platform::utf8ToGbk(text);
  bytes.resize(text.size());
  return std::move(bytes);
}

}  // namespace tl::xml
