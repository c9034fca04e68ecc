// tlconv restore [--db PATH] [--yes] [--no-restart] [--json] COPY
#include <CLI/CLI.hpp>

#include <ostream>

#include "cli/commands.h"
#include "cli/grid_output.h"
#include "cli/import_report.h"
#include "platform/text_codec.h"

namespace tl::cli {

void registerRestore(CLI::App& app, Options& options, CommandRunner& run) {
  CLI::App* restore =
      app.add_subcommand("restore", "Put back a copy of the client list that an import kept in 导入前备份");
  restore->add_option("--db", options.database, "The 汀澜 database to restore into (no prompt, no dialog)");
  restore->add_flag("--yes", options.answerYes, "Use the database found beside the running server");
  restore->add_flag("--no-restart", options.noRestart, "Do not restart the 汀澜 server service");
  restore->add_flag("--json", options.json, "Print one JSON object");
  restore->add_option("COPY", options.file, "A cs_client_info-....db file from 导入前备份")->required();
  restore->callback([&options, &run] {
    rejectEmptyDatabase(options);
    run = [&options](std::ostream& out, std::ostream& err) {
      Session session(err);
      session.ui.setPrintMessages(!options.json);
      session.ui.setAnswerQuestionsYes(options.answerYes);
      ImportOptions request;
      if (options.database) request.databasePath = platform::utf8ToGbk(*options.database);
      request.restartService = !options.noRestart;
      ImportResult result = session.converter.restoreCopy(platform::utf8ToGbk(options.file), request);
      int status = reportImport(session, result);
      const ClientGrid& grid = session.converter.grid();
      if (options.json) {
        nlohmann::ordered_json doc = gridJson("", grid, session.ui);
        if (result.summary) doc["changes"] = changesJson(*result.summary);
        out << doc.dump() << '\n';
      } else if (status == 0) {
        out << platform::gbkToUtf8(grid.status(kTypeField)) << '\n';
      }
      return status;
    };
  });
}

}  // namespace tl::cli
