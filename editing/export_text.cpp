#include "editing/export_text.h"

#include <algorithm>
#include <string_view>

#include "data/text/gbk_text.h"

namespace tl {
namespace {

// One variable word of the template, looked at once per export: whether the
// template holds it in any case, and what the rows' lines are made with.
struct Word {
  const char* word;
  bool active;
};

// The three steps of one line, each on the line the step before left. The
// buffers belong to the caller so that a long export reuses their storage
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

  // The line, valid until the next call.
  const std::string& build(const std::string& name, const std::string& ip, const std::string& mac) {
    line_.assign(aroundName_[0]);
    for (size_t i = 1; i < aroundName_.size(); ++i) {
      line_.append(name);
      line_.append(aroundName_[i]);
    }
    fill(ip_, ip);
    fill(mac_, mac);
    return line_;
  }

 private:
  void fill(const Word& word, const std::string& value) {
    if (word.active && text::replaceAllInto(line_, word.word, value, text::Case::Sensitive, spare_))
      line_.swap(spare_);
  }

  std::vector<std::string_view> aroundName_;  // views into the template
  Word ip_, mac_;
  std::string line_, spare_;
};

}  // namespace

std::string exportLine(const std::string& lineTemplate, const std::string& name, const std::string& ip,
                       const std::string& mac) {
  LineBuilder builder(lineTemplate);
  return builder.build(name, ip, mac);
}

std::string buildExportText(const ClientGrid& grid, const std::vector<int>& rows, const std::string& lineTemplate) {
  LineBuilder builder(lineTemplate);
  std::string out;
  for (int r : rows) {
    const std::string& line = builder.build(grid.cell(r, kColName), grid.cell(r, kColIp), grid.cell(r, kColMac));
    // An empty text takes the next line without a CR LF, so leading empty
    // lines vanish.
    if (!out.empty()) out += "\r\n";
    // The first line tells roughly how long the text gets; room for a bit
    // more spares the copies of a string that doubles as it grows.
    else if (!line.empty()) out.reserve(std::min((line.size() + 2) * rows.size() * 5 / 4, size_t(64) << 20));
    out += line;
  }
  return out;
}

}  // namespace tl
