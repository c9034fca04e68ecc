#include "editing/export_text.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "data/text/gbk_text.h"

namespace tl {
namespace {

// Whether `pos` starts a character of `line`: a byte below 0x80 always ends
// one, so the bytes of 0x80 or more right before `pos`, back to the last byte
// below 0x80 or the line's start, must be an even number.
bool startsCharacter(std::string_view line, size_t pos) {
  size_t high = 0;
  while (high < pos && static_cast<unsigned char>(line[pos - high - 1]) >= 0x80) ++high;
  return high % 2 == 0;
}

// The first `word` (ASCII, at least one byte) in `line` at or after `from`
// that starts a character, or npos. Candidates come from memchr on the
// word's first byte; only they are checked for the rest and the boundary.
size_t findWord(std::string_view line, size_t from, std::string_view word) {
  while (from + word.size() <= line.size()) {
    const void* hit = std::memchr(line.data() + from, word[0], line.size() - word.size() + 1 - from);
    if (!hit) return text::npos;
    size_t at = size_t(static_cast<const char*>(hit) - line.data());
    if (line.compare(at + 1, word.size() - 1, word.substr(1)) == 0 && startsCharacter(line, at)) return at;
    from = at + 1;
  }
  return text::npos;
}

// One variable word of the template, looked at once per export: whether the
// template holds it in any case, and so whether the rows' lines are changed
// where it stands in lower case.
struct Word {
  std::string_view word;
  bool active;
};

// The three steps of one line, each on the line the step before left, written
// straight onto the end of the caller's text: the export grows one buffer
// instead of building short-lived strings for every row.
class LineBuilder {
 public:
  explicit LineBuilder(const std::string& lineTemplate)
      : ip_{"ip", text::contains(lineTemplate, "ip", text::Case::Insensitive)},
        mac_{"mac", text::contains(lineTemplate, "mac", text::Case::Insensitive)} {
    // The first step works on the template itself, the same for every row:
    // cut it once where "name" stands (the pieces between go around the
    // computer name).
    std::string_view rest = lineTemplate;
    if (text::contains(lineTemplate, "name", text::Case::Insensitive)) {
      for (size_t at; (at = text::find(rest, "name", text::Case::Sensitive)) != text::npos;) {
        aroundName_.push_back(rest.substr(0, at));
        rest.remove_prefix(at + 4);
      }
    }
    aroundName_.push_back(rest);
  }

  // Appends the row's line to `out`.
  void appendTo(std::string& out, const std::string& name, const std::string& ip, const std::string& mac) {
    const size_t start = out.size();
    out.append(aroundName_[0]);
    for (size_t i = 1; i < aroundName_.size(); ++i) {
      out.append(name);
      out.append(aroundName_[i]);
    }
    fill(out, start, ip_, ip);
    fill(out, start, mac_, mac);
  }

 private:
  // Every occurrence of the word in the line out[start..] that starts a
  // character becomes `value`, left to right; the values put in are not
  // looked at again.
  void fill(std::string& out, size_t start, const Word& word, const std::string& value) {
    if (!word.active) return;
    size_t at = findWord(std::string_view(out).substr(start), 0, word.word);
    if (at == text::npos) return;
    // The line from its first match on moves aside and comes back with the
    // values in. The match is ASCII, so the rest's character boundaries are
    // the line's.
    spare_.assign(out, start + at);
    out.resize(start + at);
    size_t copied = 0;  // spare_[0, copied) is back in `out`
    for (size_t found = 0; found != text::npos; found = findWord(spare_, copied, word.word)) {
      out.append(spare_, copied, found - copied);
      out.append(value);
      copied = found + word.word.size();
    }
    out.append(spare_, copied);
  }

  std::vector<std::string_view> aroundName_;  // views into the template
  Word ip_, mac_;
  std::string spare_;
};

}  // namespace

std::string exportLine(const std::string& lineTemplate, const std::string& name, const std::string& ip,
                       const std::string& mac) {
  LineBuilder builder(lineTemplate);
  std::string line;
  builder.appendTo(line, name, ip, mac);
  return line;
}

std::string buildExportText(const ClientGrid& grid, const std::vector<int>& rows, const std::string& lineTemplate) {
  LineBuilder builder(lineTemplate);
  std::string out;
  for (int r : rows) {
    // An empty text takes the next line without a CR LF, so leading empty
    // lines vanish.
    const bool first = out.empty();
    if (!first) out += "\r\n";
    builder.appendTo(out, grid.cell(r, kColName), grid.cell(r, kColIp), grid.cell(r, kColMac));
    // The first line tells roughly how long the text gets; room for a bit
    // more spares the copies of a string that doubles as it grows.
    if (first && !out.empty()) out.reserve(std::min((out.size() + 2) * rows.size() * 5 / 4, size_t(64) << 20));
  }
  return out;
}

}  // namespace tl
