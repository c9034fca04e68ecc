#include "cli/tlconv_app.h"

#include <CLI/CLI.hpp>

#include <ostream>

#include "cli/commands.h"
#include "cli/empty_option_values.h"

namespace tl::cli {

int runTlconv(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CLI::App app{"tlconv: the client list converter on the command line"};
  app.require_subcommand(1);
  Options options;
  CommandRunner run;
  registerDetect(app, options, run);
  registerShow(app, options, run);
  registerCheck(app, options, run);
  registerImport(app, options, run);
  registerExport(app, options, run);
  registerRestore(app, options, run);

  std::vector<std::string> spaced = splitEmptyOptionValues(args);
  std::vector<std::string> reversed(spaced.rbegin(), spaced.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    out << app.help();
    return 0;
  } catch (const CLI::ParseError& e) {
    err << "tlconv: " << e.what() << "\nRun tlconv --help for the commands.\n";
    return 2;
  }
  return run ? run(out, err) : 2;
}

}  // namespace tl::cli
