// tlconv import [NETWORK] [EDITS] [--db PATH] [--yes] [--no-restart] [--json] FILE
#include <CLI/CLI.hpp>

#include <ostream>

#include "cli/commands.h"
#include "cli/edit_options.h"
#include "cli/grid_output.h"
#include "platform/text_codec.h"

namespace tl::cli {
namespace {

// What the window would have left to the operator's eyes (a silent stop, the
// type field, a skipped restart) becomes one line on standard error.
int reportImport(Session& session, const ImportResult& result) {
  CliOperatorUi& ui = session.ui;
  switch (result.outcome) {
    case ImportOutcome::NothingToImport:
      ui.note("没有可导入的客户机");
      return 1;
    case ImportOutcome::NoDatabaseChosen:
      ui.note("需要选择汀澜数据库文件: 请用 --db PATH 指定 (找到的数据库可用 --yes 直接使用)");
      return 1;
    case ImportOutcome::DatabaseOpenFailed:
      ui.note(session.converter.grid().status(kTypeField));
      return 1;
    case ImportOutcome::WriteFailed:  // its message box is out already
    case ImportOutcome::Busy:
      return 1;
    case ImportOutcome::Imported:
      break;
  }
  if (!result.restart)
    ui.note("已跳过汀澜主服务 sentry_bs 的重启 (--no-restart)");
  else if (*result.restart == platform::ServiceRestart::Skipped)
    ui.note("本系统没有汀澜主服务 sentry_bs: 已跳过重启");
  return 0;
}

}  // namespace

void registerImport(CLI::App& app, Options& options, CommandRunner& run) {
  CLI::App* import = app.add_subcommand(
      "import", "Replace the whole client list (table cs_client_info) of a 汀澜 database with the clients of FILE");
  addNetworkOptions(import, options);
  addEditOptions(import, options);
  import->add_option("--db", options.database, "The 汀澜 database to import into (no prompt, no dialog)");
  import->add_flag("--yes", options.answerYes, "Use the database found beside the running server");
  import->add_flag("--no-restart", options.noRestart, "Do not restart the 汀澜 server service");
  import->add_flag("--json", options.json, "Print one JSON object");
  import->add_option("FILE", options.file, "The list file to read")->required();
  import->callback([&options, &run, import] {
    // The empty text names no database; it would fall through to a failed open.
    if (options.database && options.database->empty())
      throw CLI::ValidationError("--db", "the path is empty (name the database file, or leave --db out)");
    collectEdits(*import, options);
    run = [&options](std::ostream& out, std::ostream& err) {
      Session session(err);
      session.ui.setPrintMessages(!options.json);
      session.ui.setAnswerQuestionsYes(options.answerYes);
      bool read = false;
      std::string type = openListFile(session, options, read);
      int status = 1;
      if (read) {
        applyEdits(session, options);
        ImportOptions request;
        if (options.database) request.databasePath = platform::utf8ToGbk(*options.database);
        request.restartService = !options.noRestart;
        status = reportImport(session, session.converter.importGridWith(request));
      }
      const ClientGrid& grid = session.converter.grid();
      if (options.json)
        printGridJson(type, grid, session.ui, out);
      else if (status == 0)
        out << platform::gbkToUtf8(grid.status(kTypeField)) << '\n';
      return status;
    };
  });
}

}  // namespace tl::cli
