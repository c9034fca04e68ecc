#include "app/list_detection.h"

#include <algorithm>
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

// The file's text up to its first NUL byte. One pass over it finds every
// needle that a text row requires; the few others (the ones a row must not
// hold) are searched for only when the rest of their row has matched.
class TextContent {
 public:
  explicit TextContent(const std::string& path)
      : content_(readUntilNul(path)), search_(content_, requiredNeedles()) {}

  bool matches(const TextSignature& signature) const {
    for (std::string_view needle : signature.all)
      if (!needle.empty() && !search_.contains(needle)) return false;
    for (std::string_view needle : signature.none)
      if (!needle.empty() && search_.contains(needle)) return false;
    return true;
  }

 private:
  static std::string readUntilNul(const std::string& path) {
    std::string content;
    platform::readFileUntilNul(path, content);
    return content;
  }

  static std::vector<std::string_view> requiredNeedles() {
    std::vector<std::string_view> needles;
    for (const ListType& type : listTypes()) {
      if (type.probe != ListType::Probe::Text) continue;
      for (std::string_view needle : type.signature.all)
        if (!needle.empty() && std::find(needles.begin(), needles.end(), needle) == needles.end())
          needles.push_back(needle);
    }
    return needles;
  }

  std::string content_;
  text::SignatureSearch search_;
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
