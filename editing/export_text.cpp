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

// Copies n bytes; the short copies most values are stay inline, as two
// loads that may overlap.
inline void copyBytes(char* to, const char* from, size_t n) {
  if (n > 16 && n <= 32) {  // a MAC address text, 17 bytes
    struct Bytes16 {
      uint64_t low, high;
    };
    const auto head = load<Bytes16>(from), tail = load<Bytes16>(from + n - 16);
    std::memcpy(to, &head, 16);
    std::memcpy(to + n - 16, &tail, 16);
  } else if (n >= 8 && n <= 16) {
    const uint64_t head = load<uint64_t>(from), tail = load<uint64_t>(from + n - 8);
    std::memcpy(to, &head, 8);
    std::memcpy(to + n - 8, &tail, 8);
  } else if (n >= 4 && n < 8) {
    const uint32_t head = load<uint32_t>(from), tail = load<uint32_t>(from + n - 4);
    std::memcpy(to, &head, 4);
    std::memcpy(to + n - 4, &tail, 4);
  } else if (n > 0 && n < 4) {
    to[0] = from[0];
    to[n / 2] = from[n / 2];
    to[n - 1] = from[n - 1];
  } else if (n > 32) {
    std::memcpy(to, from, n);
  }
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
      : paddedTemplate_(lineTemplate + std::string(kBlock, '\0')),
        ip_{"ip", text::contains(lineTemplate, "ip", text::Case::Insensitive)},
        mac_{"mac", text::contains(lineTemplate, "mac", text::Case::Insensitive)} {
    // The first step works on the template itself, the same for every row:
    // cut it once where "name" stands (the pieces between go around the
    // computer name).
    std::string_view rest = std::string_view(paddedTemplate_).substr(0, lineTemplate.size());
    if (text::contains(lineTemplate, "name", text::Case::Insensitive)) {
      for (size_t at; (at = text::find(rest, "name", text::Case::Sensitive)) != text::npos;) {
        aroundName_.push_back(rest.substr(0, at));
        rest.remove_prefix(at + 4);
      }
    }
    aroundName_.push_back(rest);
    compilePlan();
  }

  // Whether the row's line is the plan's pieces in order, and so can be
  // written by writePlan.
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

  // The length of a line that follows the plan.
  size_t planLength(const std::string& name, const std::string& ip, const std::string& mac) const {
    return planText_ + names_ * name.size() + ips_ * ip.size() + macs_ * mac.size();
  }

  // Writes a line that follows the plan at `at`, planLength bytes, and may
  // write up to kBlock bytes of anything after it. A piece of up to kBlock
  // bytes is copied as one block of kBlock: the template's pieces lie in its
  // padded copy, and a string's storage always holds kBlock bytes (fifteen
  // and the closing NUL in place, or more elsewhere), so no read leaves its
  // storage, and the copy takes no turn on the piece's length.
  void writePlan(char* at, const std::string& name, const std::string& ip, const std::string& mac) const {
    for (const Segment& segment : plan_) {
      std::string_view piece;
      bool blockReadable = true;
      switch (segment.part) {
        case Part::Text: piece = segment.text; break;
        case Part::Name: piece = name; blockReadable = name.capacity() + 1 >= kBlock; break;
        case Part::Ip: piece = ip; blockReadable = ip.capacity() + 1 >= kBlock; break;
        case Part::Mac: piece = mac; blockReadable = mac.capacity() + 1 >= kBlock; break;
      }
      if (piece.size() <= kBlock && blockReadable)
        std::memcpy(at, piece.data(), kBlock);
      else
        copyBytes(at, piece.data(), piece.size());
      at += piece.size();
    }
  }
  static constexpr size_t kBlock = 16;

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
        ++names_;
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
        ++ips_;
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
        ++macs_;
      }
    }
    addText(text.substr(from));
  }

  void addText(std::string_view text) {
    if (text.empty()) return;
    plan_.push_back({Part::Text, text});
    planText_ += text.size();
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

  std::vector<Segment> plan_;
  size_t planText_ = 0, names_ = 0, ips_ = 0, macs_ = 0;  // the plan's text bytes and values
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

  std::string paddedTemplate_;  // the template and kBlock NUL bytes
  std::vector<std::string_view> aroundName_;  // views into paddedTemplate_
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
  // out[0, used) is the text so far. Lines that follow the plan are written
  // straight into room made ahead in `out`, a piece at a time; room is made
  // a slice at a time, so that the zeros resize writes are still in the
  // cache when the lines overwrite them.
  std::string out;
  size_t used = 0;
  constexpr size_t kSlice = size_t(128) << 10;
  const std::string empty;
  const int rowCount = grid.rowCount();
  auto cells = [&](int r) -> const ClientRow* { return r >= 0 && r < rowCount ? &grid.row(r) : nullptr; };
  for (size_t i = 0; i < rows.size(); ++i) {
    // The cells of a large grid are mostly out of the cache: ask for a
    // later row's cells while this line is made.
    constexpr size_t kAhead = 16;
    if (i + kAhead < rows.size())
      if (const ClientRow* later = cells(rows[i + kAhead])) {
        __builtin_prefetch(&(*later)[kColName]);
        __builtin_prefetch(&(*later)[kColMac]);
      }
    const ClientRow* row = cells(rows[i]);
    const std::string& name = row ? (*row)[kColName] : empty;
    const std::string& ip = row ? (*row)[kColIp] : empty;
    const std::string& mac = row ? (*row)[kColMac] : empty;
    // An empty text takes the next line without a CR LF, so leading empty
    // lines vanish.
    const size_t breakBytes = used == 0 ? 0 : 2;
    if (!builder.followsPlan(name, ip)) {
      out.resize(used);
      if (breakBytes) out += "\r\n";
      builder.appendTo(out, name, ip, mac);
      used = out.size();
      continue;
    }
    const size_t length = builder.planLength(name, ip, mac);
    if (used + breakBytes + length + LineBuilder::kBlock > out.size()) {
      // The first line tells roughly how long the text gets; room for a
      // bit more spares the copies of a string that doubles as it grows.
      if (out.capacity() < (length + 2) * (rows.size() - i))
        out.reserve(std::min(used + (length + 2) * (rows.size() - i) * 5 / 4, size_t(64) << 20));
      out.resize(std::max(used + breakBytes + length + LineBuilder::kBlock, std::min(out.size() + kSlice, out.capacity())));
    }
    char* at = out.data() + used;
    if (breakBytes) std::memcpy(at, "\r\n", 2);
    builder.writePlan(at + breakBytes, name, ip, mac);
    used += breakBytes + length;
  }
  out.resize(used);
  return out;
}

}  // namespace tl
