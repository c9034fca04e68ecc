#include "editing/export_text.h"

#include <algorithm>
#include <cstdint>
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

// Reads a word from unaligned memory.
template <typename Word>
Word load(const char* bytes) {
  Word word;
  std::memcpy(&word, bytes, sizeof word);
  return word;
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
    compilePlan();
  }

  // Appends the row's line to `out`.
  void appendTo(std::string& out, const std::string& name, const std::string& ip, const std::string& mac) {
    if (followsPlan(name, ip)) {
      for (const Segment& segment : plan_) {
        switch (segment.part) {
          case Part::Text: out.append(segment.text); break;
          case Part::Name: out.append(name); break;
          case Part::Ip: out.append(ip); break;
          case Part::Mac: out.append(mac); break;
        }
      }
      return;
    }
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
  // The line as pieces of the template and the row's values. For most rows
  // the steps change only the words the template itself holds: a value that
  // holds no letter that could begin or continue a later step's word, ends
  // on a whole character and is not empty changes no match around it. Such
  // a row's line is the plan's pieces in order; any other row takes the
  // three steps.
  enum class Part { Text, Name, Ip, Mac };
  struct Segment {
    Part part;
    std::string_view text;  // Part::Text only
  };

  void compilePlan() {
    for (size_t i = 0; i < aroundName_.size(); ++i) {
      if (i > 0) {
        hasName_ = true;
        // The text before this name in the line of the second step, and
        // of the third (the piece's part after its last "ip").
        nameAfterI_ |= !aroundName_[i - 1].empty() && aroundName_[i - 1].back() == 'i';
        nameAfterA_ |= !lastText_.empty() && lastText_.back() == 'a';
        plan_.push_back({Part::Name, {}});
      }
      cutAtIp(aroundName_[i]);
    }
  }

  // A piece of the first step's line: its own "ip"s become the IP.
  void cutAtIp(std::string_view piece) {
    size_t from = 0;
    if (ip_.active) {
      for (size_t at; (at = findWord(piece, from, "ip")) != text::npos; from = at + 2) {
        cutAtMac(piece.substr(from, at - from));
        hasIp_ = true;
        ipAfterA_ |= !lastText_.empty() && lastText_.back() == 'a';
        plan_.push_back({Part::Ip, {}});
      }
    }
    cutAtMac(piece.substr(from));
  }

  // Text of the second step's line between values: its own "mac"s become
  // the MAC.
  void cutAtMac(std::string_view text) {
    lastText_ = text;
    size_t from = 0;
    if (mac_.active) {
      for (size_t at; (at = findWord(text, from, "mac")) != text::npos; from = at + 3) {
        addText(text.substr(from, at - from));
        plan_.push_back({Part::Mac, {}});
      }
    }
    addText(text.substr(from));
  }

  void addText(std::string_view text) {
    if (!text.empty()) plan_.push_back({Part::Text, text});
  }

  // Not empty, ends on a whole character, and holds no "i" (when the IP
  // step looks at it) and no "m" or "a" (when the MAC step does). Eight
  // bytes at a time: the zero-byte test on the word XOR the letter.
  static bool inertValue(std::string_view value, bool ipStep, bool macStep) {
    if (value.empty()) return false;
    constexpr uint64_t ones = 0x0101010101010101ull, highs = 0x8080808080808080ull;
    auto holds = [&](uint64_t word, char letter) {
      uint64_t x = word ^ (ones * static_cast<unsigned char>(letter));
      return ((x - ones) & ~x & highs) != 0;
    };
    uint64_t highBits = 0;
    auto look = [&](uint64_t word) {
      if (ipStep && holds(word, 'i')) return false;
      if (macStep && (holds(word, 'm') || holds(word, 'a'))) return false;
      highBits |= word & highs;
      return true;
    };
    const char* bytes = value.data();
    const size_t size = value.size();
    size_t at = 0;
    for (; at + 8 <= size; at += 8)
      if (!look(load<uint64_t>(bytes + at))) return false;
    if (at < size) {
      // The tail in whole loads: looking at a byte twice changes nothing,
      // and a short copy into memory read back as one word would stall.
      if (size >= 8) {
        if (!look(load<uint64_t>(bytes + size - 8))) return false;
      } else if (size >= 4) {
        if (!look(load<uint32_t>(bytes) | uint64_t(load<uint32_t>(bytes + size - 4)) << 32)) return false;
      } else {  // zero bytes match no letter
        const uint64_t word = uint64_t(static_cast<unsigned char>(bytes[0])) |
                              uint64_t(static_cast<unsigned char>(bytes[size / 2])) << 8 |
                              uint64_t(static_cast<unsigned char>(bytes[size - 1])) << 16;
        if (!look(word)) return false;
      }
    }
    if (highBits == 0) return true;
    size_t high = 0;  // bytes of 0x80 or more at the end
    while (high < value.size() && static_cast<unsigned char>(value[value.size() - high - 1]) >= 0x80) ++high;
    return high % 2 == 0;
  }

  bool followsPlan(const std::string& name, const std::string& ip) const {
    if (!ip_.active && !mac_.active) return true;
    if (hasName_) {
      if (!inertValue(name, ip_.active, mac_.active)) return false;
      // A name that starts the rest of a word whose start stands before it.
      if (ip_.active && nameAfterI_ && name[0] == 'p') return false;
      if (mac_.active && nameAfterA_ && name[0] == 'c') return false;
    }
    if (hasIp_ && mac_.active) {
      if (!inertValue(ip, false, true)) return false;
      if (ipAfterA_ && ip[0] == 'c') return false;
    }
    return true;
  }

  std::vector<Segment> plan_;
  std::string_view lastText_;  // while compiling: the text last added
  bool hasName_ = false, hasIp_ = false;
  bool nameAfterI_ = false, nameAfterA_ = false, ipAfterA_ = false;

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
  const int rowCount = grid.rowCount();
  for (size_t i = 0; i < rows.size(); ++i) {
    const int r = rows[i];
    // The cells of a large grid are mostly out of the cache: ask for a
    // later row's name, IP and MAC while this line is made.
    constexpr size_t kAhead = 8;
    if (i + kAhead < rows.size() && rows[i + kAhead] >= 0 && rows[i + kAhead] < rowCount) {
      const ClientRow& later = grid.row(rows[i + kAhead]);
      __builtin_prefetch(&later[kColName]);
      __builtin_prefetch(&later[kColMac]);
    }
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
