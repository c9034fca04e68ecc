#include "editing/export_text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "data/text/byte_block.h"
#include "data/text/gbk_text.h"

namespace tl {
namespace {

// The first `word` (ASCII, at least one byte) in `line` at or after `from`
// that starts a character, or npos. Candidates come from memchr on the
// word's first byte; only they are checked for the rest and the boundary.
size_t findWord(std::string_view line, size_t from, std::string_view word) {
  while (from + word.size() <= line.size()) {
    const void* hit = std::memchr(line.data() + from, word[0], line.size() - word.size() + 1 - from);
    if (!hit) return text::npos;
    size_t at = size_t(static_cast<const char*>(hit) - line.data());
    if (line.compare(at + 1, word.size() - 1, word.substr(1)) == 0 && text::startsCharacter(line, at)) return at;
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
      : paddedTemplate_(lineTemplate + std::string(kSlack, '\0')),
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

  // Whether the row's line is the plan's pieces in order.
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

  // The length of the row's line when it follows the plan.
  size_t planLength(const std::string& name, const std::string& ip, const std::string& mac) const {
    return planText_ + names_ * name.size() + ips_ * ip.size() + macs_ * mac.size();
  }
  // The most bytes writeLine writes, kSlack included.
  size_t longestLine() const { return planText_ + (names_ + ips_ + macs_) * kLongestBlockPiece + kSlack; }

  // Writes the row's line at `at` when it follows the plan and each value
  // is at most kLongestBlockPiece bytes, as nearly all are, and returns its
  // end; else returns nullptr, and appendTo must make the line. It may
  // write up to kSlack bytes of anything after the line's end. Each piece
  // is copied as one block of sixteen bytes, or as two that overlap: the
  // template's pieces lie in its padded copy and are cut to
  // kLongestBlockPiece at most, and a string's storage holds sixteen bytes
  // (blocks_), so no read leaves its storage and the copy takes no turn on
  // the piece's length.
  char* writeLine(char* at, const std::string& name, const std::string& ip, const std::string& mac) {
    if (!blocks_ || !fitsBlocks(name) || !fitsBlocks(ip) || !fitsBlocks(mac) || !followsPlan(name, ip))
      return nullptr;
    setValues(name, ip, mac);
    for (uint32_t slot : plan_) {
      const std::string_view piece = slots_[slot];
      std::memcpy(at, piece.data(), text::block::kSize);
      if (piece.size() > text::block::kSize)
        std::memcpy(at + piece.size() - text::block::kSize, piece.data() + piece.size() - text::block::kSize,
                    text::block::kSize);
      at += piece.size();
    }
    return at;
  }
  static constexpr size_t kSlack = text::block::kSize;

  // Appends the row's line to `out`.
  void appendTo(std::string& out, const std::string& name, const std::string& ip, const std::string& mac) {
    if (followsPlan(name, ip)) {
      setValues(name, ip, mac);
      for (uint32_t slot : plan_) out.append(slots_[slot]);
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
  // three steps. plan_ holds the pieces as indices into slots_: the row's
  // three values first, then the template's pieces.
  enum Slot : uint32_t { kNameSlot, kIpSlot, kMacSlot, kFirstTextSlot };
  static constexpr size_t kLongestBlockPiece = 2 * text::block::kSize;

  void setValues(std::string_view name, std::string_view ip, std::string_view mac) {
    slots_[kNameSlot] = name;
    slots_[kIpSlot] = ip;
    slots_[kMacSlot] = mac;
  }
  static bool fitsBlocks(const std::string& value) {
    return value.size() <= kLongestBlockPiece;
  }

  void compilePlan() {
    for (size_t i = 0; i < aroundName_.size(); ++i) {
      if (i > 0) {
        hasName_ = true;
        // The text before this name in the line of the second step, and
        // of the third (the piece's part after its last "ip").
        nameAfterI_ |= !aroundName_[i - 1].empty() && aroundName_[i - 1].back() == 'i';
        nameAfterA_ |= !lastText_.empty() && lastText_.back() == 'a';
        plan_.push_back(kNameSlot);
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
        plan_.push_back(kIpSlot);
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
        plan_.push_back(kMacSlot);
        ++macs_;
      }
    }
    addText(text.substr(from));
  }

  // A text piece of the plan, cut into pieces of at most kLongestBlockPiece.
  void addText(std::string_view text) {
    planText_ += text.size();
    for (; !text.empty(); text.remove_prefix(std::min(text.size(), kLongestBlockPiece))) {
      plan_.push_back(uint32_t(slots_.size()));
      slots_.push_back(text.substr(0, kLongestBlockPiece));
    }
  }

  // Not empty, ends on a whole character, and holds no "i" (when the IP
  // step looks at it) and no "m" or "a" (when the MAC step does). A value
  // of up to sixteen bytes, as names and IP addresses are, in one block.
  bool inertValue(const std::string& value, bool ipStep, bool macStep) const {
    const size_t size = value.size();
    if (size == 0) return false;
    if (size > text::block::kSize || !blocks_) {
      for (char c : value)
        if ((ipStep && c == 'i') || (macStep && (c == 'm' || c == 'a'))) return false;
      return text::startsCharacter(value, size);
    }
    const char* bytes = value.data();
    uint32_t letters = 0;
    if (ipStep) letters |= text::block::equal(bytes, 'i');
    if (macStep) letters |= text::block::equal(bytes, 'm') | text::block::equal(bytes, 'a');
    if (letters & text::block::firstBytes(size)) return false;
    return text::block::highRunAtEnd(text::block::high(bytes), size) % 2 == 0;
  }

  std::vector<uint32_t> plan_;
  std::vector<std::string_view> slots_ = std::vector<std::string_view>(kFirstTextSlot);
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

  // Whether a string's storage holds sixteen bytes to read; if not, every
  // line is made by appendTo.
  const bool blocks_ = text::block::stringsReadableAsBlocks();
  std::string paddedTemplate_;  // the template and kSlack NUL bytes
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
  // out[0, used) is the text so far. Lines are written straight into room
  // made ahead in `out`: those that follow the plan a piece at a time, the
  // others made apart first. Room is made a slice at a time, so that the
  // zeros resize writes are still in the cache when the lines overwrite
  // them.
  std::string out, line;
  size_t used = 0;
  auto makeRoom = [&](size_t bytes, size_t lineLength, size_t linesLeft) {
    constexpr size_t kSlice = size_t(128) << 10;
    // The line at hand tells roughly how long the rest gets; room for a bit
    // more spares the copies of a string that doubles as it grows.
    if (out.capacity() < used + lineLength * linesLeft)
      out.reserve(std::min(used + lineLength * linesLeft * 5 / 4, size_t(64) << 20));
    out.resize(std::max(used + bytes, std::min(out.size() + kSlice, out.capacity())));
  };
  const size_t longestLine = 2 + builder.longestLine();
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
    if (used + longestLine > out.size()) makeRoom(longestLine, builder.planLength(name, ip, mac) + 2, rows.size() - i);
    // An empty text takes the next line without a CR LF, so leading empty
    // lines vanish.
    const size_t breakBytes = used == 0 ? 0 : 2;
    std::memcpy(out.data() + used, "\r\n", 2);
    if (char* end = builder.writeLine(out.data() + used + breakBytes, name, ip, mac)) {
      used = size_t(end - out.data());
      continue;
    }
    line.clear();
    builder.appendTo(line, name, ip, mac);
    if (used + breakBytes + line.size() > out.size())
      makeRoom(breakBytes + line.size(), line.size() + 2, rows.size() - i);
    std::memcpy(out.data() + used + breakBytes, line.data(), line.size());
    used += breakBytes + line.size();
  }
  out.resize(used);
  return out;
}

}  // namespace tl
