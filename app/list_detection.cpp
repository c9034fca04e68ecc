#include "app/list_detection.h"

#include <string_view>
#include <utility>
#include <vector>

#include "app/list_types.h"
#include "data/sqlite/sqlite_statement.h"
#include "data/text/gbk_text.h"
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
// the end of the rows: the table and its ORDER BY column exist.
void probeSql(Detection& detection, SqliteConnection& database) {
  probeRows(detection, Probe::Sql, [&](const ListType& type) {
    SqliteStatement probe(database, std::string(type.select));
    return probe.executeStep() || probe.done();
  });
}

// The file's text up to its first NUL byte; each needle is searched once,
// however many signatures name it.
class TextContent {
 public:
  explicit TextContent(const std::string& path) { platform::readFileUntilNul(path, content_); }

  bool has(std::string_view needle) {
    for (const auto& [seen, found] : searched_)
      if (seen == needle) return found;
    bool found = text::contains(content_, needle, text::Case::Insensitive);
    searched_.emplace_back(needle, found);
    return found;
  }

  bool matches(const TextSignature& signature) {
    for (std::string_view needle : signature.all)
      if (!needle.empty() && !has(needle)) return false;
    for (std::string_view needle : signature.none)
      if (!needle.empty() && has(needle)) return false;
    return true;
  }

 private:
  std::string content_;
  std::vector<std::pair<std::string_view, bool>> searched_;
};

// The text lives only in here: it is gone before the INI probes load the file.
void probeText(Detection& detection, const std::string& path) {
  TextContent content(path);
  probeRows(detection, Probe::Text, [&](const ListType& type) { return content.matches(type.signature); });
}

void probeIni(Detection& detection, platform::IniFiles& ini, const std::string& path) {
  std::vector<std::string> sections = ini.sectionNames(path);
  if (sections.empty()) return;
  FirstIniSection first{sections.front(), "", ""};
  first.mac = ini.value(path, first.name, "mac", "未知");
  first.wksName = ini.value(path, first.name, "WksName", "未知");
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
