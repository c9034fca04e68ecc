#include "cli/import_report.h"

#include <ostream>

#include "platform/text_codec.h"

namespace tl::cli {
namespace {

std::string utf8(const std::string& gbk) { return platform::gbkToUtf8(gbk); }

// The row's 序号 as a number; its place in the grid when column 0 holds none.
int runningNumber(const ClientGrid& grid, int row) {
  const std::string& cell = grid.cell(row, kColNumber);
  if (cell.empty() || cell.size() > 9 || cell.find_first_not_of("0123456789") != std::string::npos) return row + 1;
  return std::stoi(cell);
}

nlohmann::ordered_json clientJson(const StoredClient& client) {
  nlohmann::ordered_json cells = nlohmann::ordered_json::array();
  for (const std::string& cell : shownClient(client)) cells.push_back(utf8(cell));
  return cells;
}

std::string clientLine(const StoredClient& client) {
  std::string line;
  for (const std::string& cell : shownClient(client)) line += (line.empty() ? "" : " ") + (cell.empty() ? "-" : cell);
  return utf8(line);
}

}  // namespace

void printProblems(const std::vector<ImportProblem>& problems, std::ostream& out) {
  for (const ImportProblem& problem : problems) out << utf8(problem.text) << '\n';
}

nlohmann::ordered_json problemsJson(const ClientGrid& grid, const std::vector<ImportProblem>& problems) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const ImportProblem& problem : problems) {
    nlohmann::ordered_json rows = nlohmann::ordered_json::array();
    for (int row : problem.rows) rows.push_back(runningNumber(grid, row));
    list.push_back({{"kind", problem.kind}, {"rows", rows}, {"text", utf8(problem.text)}});
  }
  return list;
}

void printChanges(const ChangeSummary& summary, std::ostream& out) {
  out << utf8(changeLine(summary)) << '\n';
  for (const StoredClient& client : summary.added) out << "+ " << clientLine(client) << '\n';
  for (const StoredClient& client : summary.removed) out << "- " << clientLine(client) << '\n';
  for (const auto& [before, after] : summary.changed)
    out << "~ " << clientLine(before) << " " << utf8("→") << " " << clientLine(after) << '\n';
}

nlohmann::ordered_json changesJson(const ChangeSummary& summary) {
  nlohmann::ordered_json changes;
  changes["added"] = nlohmann::ordered_json::array();
  for (const StoredClient& client : summary.added) changes["added"].push_back(clientJson(client));
  changes["removed"] = nlohmann::ordered_json::array();
  for (const StoredClient& client : summary.removed) changes["removed"].push_back(clientJson(client));
  changes["changed"] = nlohmann::ordered_json::array();
  for (const auto& [before, after] : summary.changed)
    changes["changed"].push_back({{"before", clientJson(before)}, {"after", clientJson(after)}});
  return changes;
}

int reportImport(Session& session, const ImportResult& result) {
  CliOperatorUi& ui = session.ui;
  switch (result.outcome) {
    case ImportOutcome::NothingToImport:
      ui.note("没有可导入的客户机");
      return 1;
    case ImportOutcome::CheckDeclined:
      ui.note("列表有问题 未导入 (--yes 仍然导入)");
      return 1;
    case ImportOutcome::NoDatabaseChosen:
      ui.note("需要选择汀澜数据库文件: 请用 --db PATH 指定 (找到的数据库可用 --yes 直接使用)");
      return 1;
    case ImportOutcome::DatabaseOpenFailed:
      ui.note(session.converter.grid().status(kTypeField));
      return 1;
    case ImportOutcome::CopyUnreadable:  // their message boxes are out already
    case ImportOutcome::BackupFailed:
    case ImportOutcome::WriteFailed:
    case ImportOutcome::Busy:
      return 1;
    case ImportOutcome::Imported:
      break;
  }
  if (!result.restart)
    ui.note("已跳过汀澜主服务 sentry_bs 的重启 (--no-restart)");
  else if (*result.restart == platform::ServiceRestart::Skipped)
    ui.note("本系统没有汀澜主服务 sentry_bs: 已跳过重启");
  // Without a closing message box its two lines are said here.
  if (!result.restart || *result.restart == platform::ServiceRestart::Skipped) {
    if (result.summary) ui.note(changeLine(*result.summary));
    if (!result.backupPath.empty()) ui.note(savedLine(result.backupPath));
  }
  return 0;
}

}  // namespace tl::cli
