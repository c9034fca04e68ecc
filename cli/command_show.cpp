// tlconv detect FILE; tlconv show [--json] [NETWORK] [EDITS] FILE
#include <CLI/CLI.hpp>

#include <ostream>

#include "cli/commands.h"
#include "cli/edit_options.h"
#include "cli/grid_output.h"
#include "platform/text_codec.h"

namespace tl::cli {

void registerDetect(CLI::App& app, Options& options, CommandRunner& run) {
  CLI::App* detect = app.add_subcommand("detect", "Print the detected list type name");
  detect->add_option("FILE", options.file, "The list file to read")->required();
  detect->callback([&options, &run] {
    run = [&options](std::ostream& out, std::ostream& err) {
      Session session(err);
      bool read = false;
      std::string type = openListFile(session, options, read);
      out << platform::gbkToUtf8(type) << '\n';
      return type.empty() ? 1 : 0;
    };
  });
}

void registerShow(CLI::App& app, Options& options, CommandRunner& run) {
  CLI::App* show = app.add_subcommand("show", "Print the client grid and the status fields");
  show->add_flag("--json", options.json, "Print one JSON object");
  addNetworkOptions(show, options);
  addEditOptions(show, options);
  show->add_option("FILE", options.file, "The list file to read")->required();
  show->callback([&options, &run, show] {
    collectEdits(*show, options);
    run = [&options](std::ostream& out, std::ostream& err) {
      Session session(err);
      bool read = false;
      std::string type = readEditedList(session, options, read);
      const ClientGrid& grid = session.converter.grid();
      if (options.json)
        printGridJson(type, grid, session.ui, out);
      else
        printGridTable(grid, out);
      return read ? 0 : 1;
    };
  });
}

}  // namespace tl::cli
