// tlconv check [--json] [NETWORK] [EDITS] FILE
#include <CLI/CLI.hpp>

#include <ostream>

#include "cli/commands.h"
#include "cli/edit_options.h"
#include "cli/grid_output.h"
#include "cli/import_report.h"

namespace tl::cli {

void registerCheck(CLI::App& app, Options& options, CommandRunner& run) {
  CLI::App* check = app.add_subcommand("check", "Print what the import's check finds in the client grid");
  check->add_flag("--json", options.json, "Print one JSON object");
  addNetworkOptions(check, options);
  addEditOptions(check, options);
  check->add_option("FILE", options.file)->required();
  check->callback([&options, &run, check] {
    collectEdits(*check, options);
    run = [&options](std::ostream& out, std::ostream& err) {
      Session session(err);
      bool read = false;
      std::string type = readEditedList(session, options, read);
      const ClientGrid& grid = session.converter.grid();
      std::vector<ImportProblem> problems;
      if (read) problems = checkClientGrid(grid);
      if (options.json) {
        nlohmann::ordered_json doc = gridJson(type, grid, session.ui);
        doc["problems"] = problemsJson(grid, problems);
        out << doc.dump() << '\n';
      } else {
        printProblems(problems, out);
      }
      return read && problems.empty() ? 0 : 1;
    };
  });
}

}  // namespace tl::cli
