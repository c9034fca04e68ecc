// tlconv import [NETWORK] [EDITS] [--db PATH] [--yes] [--no-restart] [--no-backup] [--dry-run] [--json] FILE
#include <CLI/CLI.hpp>

#include <ostream>

#include "cli/commands.h"
#include "cli/edit_options.h"
#include "cli/grid_output.h"
#include "cli/import_report.h"
#include "platform/text_codec.h"

namespace tl::cli {
namespace {

ImportOptions importOptions(const Options& options) {
  ImportOptions request;
  if (options.database) request.databasePath = platform::utf8ToGbk(*options.database);
  request.restartService = !options.noRestart;
  request.keepBackup = !options.noBackup;
  return request;
}

// --dry-run: the check, the summary and the changed rows; nothing written.
int previewImport(Session& session, const Options& options, const std::string& type, std::ostream& out) {
  ImportPreview preview = session.converter.previewImportWith(importOptions(options));
  int status = preview.problems.empty() ? 0 : 1;
  if (preview.outcome == ImportOutcome::NothingToImport) {
    session.ui.note("没有可导入的客户机");
    status = 1;
  } else if (preview.outcome == ImportOutcome::NoDatabaseChosen) {
    session.ui.note("需要选择汀澜数据库文件: 请用 --db PATH 指定 (找到的数据库可用 --yes 直接使用)");
    status = 1;
  } else if (preview.outcome != ImportOutcome::Imported) {
    session.ui.note("数据库打开失败 " + preview.reason);
    status = 1;
  }
  const bool read = preview.outcome == ImportOutcome::Imported;
  if (options.json) {
    nlohmann::ordered_json doc = gridJson(type, session.converter.grid(), session.ui);
    doc["problems"] = problemsJson(session.converter.grid(), preview.problems);
    if (read) doc["changes"] = changesJson(preview.summary);
    out << doc.dump() << '\n';
    return status;
  }
  printProblems(preview.problems, out);
  if (read) printChanges(preview.summary, out);
  return status;
}

}  // namespace

void registerImport(CLI::App& app, Options& options, CommandRunner& run) {
  CLI::App* import = app.add_subcommand(
      "import", "Replace the whole client list (table cs_client_info) of a 汀澜 database with the clients of FILE");
  addNetworkOptions(import, options);
  addEditOptions(import, options);
  import->add_option("--db", options.database, "The 汀澜 database to import into (no prompt, no dialog)");
  import->add_flag("--yes", options.answerYes,
                   "Use the database found beside the running server; import a list the check finds problems in");
  import->add_flag("--no-restart", options.noRestart, "Do not restart the 汀澜 server service");
  import->add_flag("--no-backup", options.noBackup, "Keep no copy of the old list in 导入前备份");
  import->add_flag("--dry-run", options.dryRun,
                   "Open the database read-only; print the check, the change and the changed rows; write nothing");
  import->add_flag("--json", options.json, "Print one JSON object");
  import->add_option("FILE", options.file, "The list file to read")->required();
  import->callback([&options, &run, import] {
    rejectEmptyDatabase(options);
    collectEdits(*import, options);
    run = [&options](std::ostream& out, std::ostream& err) {
      Session session(err);
      session.ui.setAnswerQuestionsYes(options.answerYes);
      bool read = false;
      std::string type = readEditedList(session, options, read);
      if (read && options.dryRun) return previewImport(session, options, type, out);
      int status = 1;
      ImportResult result{ImportOutcome::NothingToImport, std::nullopt};
      if (read) {
        result = session.converter.importGridWith(importOptions(options));
        status = reportImport(session, result);
      }
      const ClientGrid& grid = session.converter.grid();
      if (options.json) {
        nlohmann::ordered_json doc = gridJson(type, grid, session.ui);
        doc["problems"] = problemsJson(grid, result.problems);
        if (result.summary) doc["changes"] = changesJson(*result.summary);
        out << doc.dump() << '\n';
      } else if (status == 0) {
        out << platform::gbkToUtf8(grid.status(kTypeField)) << '\n';
      }
      return status;
    };
  });
}

void rejectEmptyDatabase(const Options& options) {
  if (options.database && options.database->empty())
    throw CLI::ValidationError("--db", "the path is empty (name the database file, or leave --db out)");
}

}  // namespace tl::cli
