#include "data/xml/xml_tag.h"

#include <string>

namespace tl::xml {
namespace {

bool isWhite(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Replacing `white` followed by "=" by "=" until none is left drops every run
// of that byte just before an "="; one pass does it.
std::string dropBeforeEquals(std::string_view s, char white) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    if (c == '=')
      while (!out.empty() && out.back() == white) out.pop_back();
    out += c;
  }
  return out;
}

// Likewise "=" followed by `white`: the run just after an "=" goes.
std::string dropAfterEquals(std::string_view s, char white) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    if (c == white && !out.empty() && out.back() == '=') continue;
    out += c;
  }
  return out;
}

void addAttribute(std::string_view token, XmlNode& node) {
  std::string compact;
  for (char c : token)
    if (!isWhite(c)) compact += c;
  if (compact.empty() || compact == "/") return;
  size_t equals = compact.find('=');
  if (equals == std::string::npos) return;
  std::string value;
  for (char c : std::string_view(compact).substr(equals + 1))
    if (c != '"') value += c;
  node.attributes.emplace_back(compact.substr(0, equals), std::move(value));
}

}  // namespace

void readTag(std::string_view tag, XmlNode& node) {
  // One white-space byte at a time, before then after: a mixed run such as
  // " \t=" keeps its space.
  std::string text(tag);
  if (text.find('=') != std::string::npos) {
    for (char white : {' ', '\t', '\r', '\n'})
      if (text.find(white) != std::string::npos) text = dropBeforeEquals(text, white);
    for (char white : {' ', '\t', '\r', '\n'})
      if (text.find(white) != std::string::npos) text = dropAfterEquals(text, white);
  }

  bool inQuotes = false;
  bool first = true;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size()) {
      if (text[i] == '"') inQuotes = !inQuotes;
      if (text[i] != ' ' || inQuotes) continue;
    }
    std::string_view token = std::string_view(text).substr(start, i - start);
    if (first) {
      node.name = token;
      first = false;
    } else {
      addAttribute(token, node);
    }
    start = i + 1;
  }
}

}  // namespace tl::xml
