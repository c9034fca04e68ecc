#include "editing/export_text.h"

#include <algorithm>

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
      : template_(lineTemplate),
        name_{"name", text::contains(lineTemplate, "name", text::Case::Insensitive)},
        ip_{"ip", text::contains(lineTemplate, "ip", text::Case::Insensitive)},
        mac_{"mac", text::contains(lineTemplate, "mac", text::Case::Insensitive)} {}

  // The line, valid until the next call.
  const std::string& build(const std::string& name, const std::string& ip, const std::string& mac) {
    line_ = template_;
    fill(name_, name);
    fill(ip_, ip);
    fill(mac_, mac);
    return line_;
  }

 private:
  void fill(const Word& word, const std::string& value) {
    if (word.active && text::replaceAllInto(line_, word.word, value, text::Case::Sensitive, spare_))
      line_.swap(spare_);
  }

  const std::string& template_;
  Word name_, ip_, mac_;
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
