// tlconv export [NETWORK] [EDITS] --template TEXT [--rows LIST] [--output PATH] FILE
#include <CLI/CLI.hpp>

#include <memory>

#include "cli/commands.h"
#include "cli/edit_options.h"
#include "cli/export_request.h"

namespace tl::cli {

void registerExport(CLI::App& app, Options& options, CommandRunner& run) {
  CLI::App* command = app.add_subcommand("export", "Write lines made from a template, one per client");
  auto request = std::make_shared<ExportRequest>();
  addNetworkOptions(command, options);
  addEditOptions(command, options);
  command->add_option("--template", request->lineTemplate, "The line template (name, ip, mac)")->required();
  command->add_option("--rows", request->rows, "Comma-separated 1-based row positions (default: all rows)");
  command->add_option("--output", request->outputPath, "The file to write (default: the desktop rule)");
  command->add_option("FILE", options.file)->required();
  command->callback([&options, &run, command, request] {
    collectEdits(*command, options);
    run = [&options, request](std::ostream&, std::ostream& err) {
      Session session(err);
      bool read = false;
      openListFile(session, options, read);
      if (!read) return 1;
      applyEdits(session, options);
      return exportGrid(session, *request, err);
    };
  });
}

}  // namespace tl::cli
