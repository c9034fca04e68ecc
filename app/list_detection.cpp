#include "app/list_detection.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "app/list_types.h"
#include "data/sqlite/sqlite_statement.h"
#include "data/text/signature_search.h"
#include "platform/file_problem.h"
#include "platform/file_system.h"

namespace tl {
namespace {

using Probe = ListType::Probe;

class Detection {
 public:
  explicit Detection(DetectionContext& context) : context_(context) {}

  void match(const ListType& type) {
    result_ = std::string(type.name);
    context_.grid.setStatus(kTypeField, std::string(type.typeText));
  }
  const std::string& result() const { return result_; }

 private:
  DetectionContext& context_;
  std::string result_;
};

// The rows of one probe kind, in table order.
template <typename Matches>
void probeRows(Detection& detection, Probe probe, Matches matches) {
  for (const ListType& type : listTypes())
    if (type.probe == probe && matches(type)) detection.match(type);
}

// A statement matches when it prepares and its first step gives a row or
// the end of the rows: the table and its ORDER BY column exist. With LIMIT 1
// SQLite still reads every row (a damaged table fails the same) but keeps
// only the first in order instead of sorting the whole list.
void probeSql(Detection& detection, SqliteConnection& database) {
  probeRows(detection, Probe::Sql, [&](const ListType& type) {
    SqliteStatement probe(database, std::string(type.select) + " limit 1");
    return probe.executeStep() || probe.done();
  });
}

// The file's text up to its first NUL byte, read a piece at a time: one
// pass finds every needle of every text row (those a row requires and those
// it must not hold), and a large file is never held whole.
class TextContent {
 public:
  explicit TextContent(const std::string& path) : search_(rowNeedles()) {
    platform::readFileInPieces(path, [&](std::string_view piece) {
      const size_t nul = piece.find('\0');
      search_.feed(piece.substr(0, nul));
      return nul == std::string_view::npos && !search_.allFound();
    });
  }

  bool matches(const TextSignature& signature) const {
    for (std::string_view needle : signature.all)
      if (!needle.empty() && !search_.contains(needle)) return false;
    for (std::string_view needle : signature.none)
      if (!needle.empty() && search_.contains(needle)) return false;
    return true;
  }

 private:
  static std::vector<std::string_view> rowNeedles() {
    std::vector<std::string_view> needles;
    auto add = [&](std::string_view needle) {
      if (!needle.empty() && std::find(needles.begin(), needles.end(), needle) == needles.end())
        needles.push_back(needle);
    };
    for (const ListType& type : listTypes()) {
      if (type.probe != ListType::Probe::Text) continue;
      for (std::string_view needle : type.signature.all) add(needle);
      for (std::string_view needle : type.signature.none) add(needle);
    }
    return needles;
  }

  text::SignatureSearch search_;
};

void probeText(Detection& detection, const std::string& path) {
  TextContent content(path);
  probeRows(detection, Probe::Text, [&](const ListType& type) { return content.matches(type.signature); });
}

void probeIni(Detection& detection, platform::IniFiles& ini, const std::string& path) {
  std::optional<platform::IniFiles::FirstSection> section = ini.firstSection(path, {"mac", "WksName"}, "未知");
  if (!section) return;
  FirstIniSection first{section->name, section->values[0], section->values[1]};
  probeRows(detection, Probe::Ini, [&](const ListType& type) { return type.iniRule(first); });
}

// The file's own problem when it has one (missing, a directory, unreadable),
// else SQLite's refusal.
std::string openFailureReason(const std::string& path) {
  std::string problem = platform::fileReadProblem(path);
  return problem.empty() ? "SQLite cannot open it" : problem;
}

}  // namespace

std::string detectListType(DetectionContext& context, const std::string& path) {
  Detection detection(context);

  // SQLite opens a directory without complaint on some platforms; the file
  // must be readable as a file. A file that is no database opens too; its
  // probes fail.
  if (!platform::fileExists(path) || platform::isDirectory(path) ||
      !context.database.open(path, SqliteConnection::Check::None)) {
    context.ui.failureCause(path, openFailureReason(path));
    context.ui.showMessage("数据库打开失败！", "提示", MessageIcon::Error);
    return {};
  }
  probeSql(detection, context.database);
  context.database.close();

  probeText(detection, path);

  probeIni(detection, context.ini, path);

  if (detection.result().empty()) {
    context.grid.clear();
    context.grid.setStatus(kTypeField, "列表文件不支持");
  }
  return detection.result();
}

}  // namespace tl
