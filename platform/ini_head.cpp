#include "platform/ini_head.h"

#include <algorithm>
#include <string_view>

#include "platform/file_system.h"
#include "platform/ini_text.h"

namespace tl::platform {
namespace {

bool startsWithByteOrderMark(std::string_view bytes) {
  return bytes.substr(0, 3) == "\xEF\xBB\xBF" || bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF";
}

// Collects the first named section line by line; every CR and every LF ends
// a line. Lines before the section are dropped as they pass.
class FirstSectionCollector {
 public:
  explicit FirstSectionCollector(std::string& text) : text_(text) { text_.clear(); }

  // Takes the next piece; false once the section is complete.
  bool take(std::string_view piece) {
    // The unjudged end of the text holds no line end: search only the new
    // bytes, or a long line would be searched again with every piece.
    size_t from = std::max(judged_, text_.size());
    text_.append(piece);
    size_t end;
    while (!complete_ && (end = iniLineEnd(text_, from)) < text_.size()) {
      judgeLine(end);
      from = judged_;
    }
    if (!inSection_) dropJudgedLines();
    return !complete_;
  }

  // The file ended: its last line has no line end.
  void finish() {
    if (!complete_ && judged_ < text_.size()) judgeLine(text_.size());
    if (!inSection_) text_.clear();
  }

 private:
  void judgeLine(size_t end) {
    std::optional<std::string_view> name =
        iniSectionHeaderName(std::string_view(text_).substr(judged_, end - judged_));
    if (name && inSection_) {
      text_.resize(judged_);  // the next header ends the section
      complete_ = true;
      return;
    }
    if (name && !name->empty()) {
      text_.erase(0, judged_);
      end -= judged_;
      judged_ = 0;
      inSection_ = true;
    }
    judged_ = end + 1;
  }

  void dropJudgedLines() {
    const size_t judged = std::min(judged_, text_.size());
    text_.erase(0, judged);
    judged_ -= judged;
  }

  std::string& text_;
  size_t judged_ = 0;  // the lines before here are judged
  bool inSection_ = false;
  bool complete_ = false;
};

}  // namespace

bool readIniFirstSection(const std::string& path, std::string& out) {
  FirstSectionCollector collector(out);
  bool first = true, hasMark = false;
  bool read = readFileInPieces(path, [&](std::string_view piece) {
    if (first && startsWithByteOrderMark(piece)) {
      hasMark = true;
      return false;
    }
    first = false;
    return collector.take(piece);
  });
  if (!read || hasMark) {
    out.clear();
    return false;
  }
  collector.finish();
  return true;
}

}  // namespace tl::platform
