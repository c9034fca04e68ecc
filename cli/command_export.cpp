// tlconv export [NETWORK] [EDITS] --template TEXT [--rows LIST] [--output PATH|-] [--force] FILE
#include <CLI/CLI.hpp>

#include <memory>

#include "cli/commands.h"
#include "cli/edit_options.h"
#include "cli/export_request.h"

namespace tl::cli {

void registerExport(CLI::App& app, Options& options, CommandRunner& run) {
  CLI::App* command = app.add_subcommand("export", "Write one line per client, made from a template");
  auto request = std::make_shared<ExportRequest>();
  auto rowLists = std::make_shared<std::vector<std::string>>();
  addNetworkOptions(command, options);
  addEditOptions(command, options);
  command
      ->add_option("--template", request->lineTemplate,
                   "The line template. The lower-case words name, ip and mac are replaced, wherever they stand"
                   " (inside other words too), by the computer name, IP address and MAC address; the rest is"
                   " copied. Example: --template \"arp -s ip mac\"")
      ->required();
  command->add_option("--rows", *rowLists, "Comma-separated 1-based row positions (default: all rows); repeated lists are joined")
      ->expected(1)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  command->add_option("--output", request->outputPath,
                      "The file to write, or - for standard output (default: 导出文件<time>.txt on the desktop)");
  command->add_flag("--force", request->force, "Write even over the list file being read or an SQLite database");
  command->add_option("FILE", options.file, "The list file to read")->required();
  command->callback([&options, &run, command, request, rowLists] {
    collectEdits(*command, options);
    if (command->count("--rows") > 0) request->rows = joinRowLists(*rowLists);
    run = [&options, request](std::ostream& out, std::ostream& err) {
      Session session(err);
      bool read = false;
      readEditedList(session, options, read);
      if (!read) return 1;
      return exportGrid(session, *request, options.file, out, err);
    };
  });
}

}  // namespace tl::cli
