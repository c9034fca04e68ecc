#include "cli/tlconv_app.h"

#include <CLI/CLI.hpp>

#include <ostream>

#include "cli/commands.h"
#include "cli/edit_options.h"
#include "cli/empty_option_values.h"
#include "cli/usage_error.h"
#include "platform/text_codec.h"
#include "tl_version.h"

namespace tl::cli {
namespace {

std::vector<std::string> commandNames(const CLI::App& app) {
  std::vector<std::string> names;
  for (const CLI::App* command : app.get_subcommands([](const CLI::App*) { return true; }))
    names.push_back(command->get_name());
  return names;
}

bool isCommand(const CLI::App& app, const std::string& name) {
  for (const std::string& command : commandNames(app))
    if (command == name) return true;
  return false;
}

// "help" lists the commands; its arguments are rewritten before parsing.
void registerHelp(CLI::App& app) {
  CLI::App* help = app.add_subcommand("help", "Print this help, or the help of COMMAND (as COMMAND --help)");
  help->add_option("COMMAND", "The command to explain");
}

// "help" becomes "--help", "help COMMAND" becomes "COMMAND --help". False,
// with the reason, for anything else after "help".
bool rewriteHelp(const CLI::App& app, std::vector<std::string>& args, std::string& error) {
  if (args.size() == 1 || (args.size() == 2 && (args[1] == "--help" || args[1] == "-h"))) {
    args = {"--help"};
    return true;
  }
  if (args.size() == 2 && isCommand(app, args[1])) {
    args = {args[1], "--help"};
    return true;
  }
  error = args.size() == 2 ? "help: '" + args[1] + "' is no command" : "help takes one COMMAND";
  return false;
}

// The parser's words where they mislead a newcomer.
std::string describeParseError(const CLI::App& app, const CLI::ParseError& e, const std::vector<std::string>& args,
                               const std::string& command) {
  if (command.empty() && !args.empty() && !args[0].starts_with("-")) return "'" + args[0] + "' is no command";
  if (command.empty() && e.get_name() == "RequiredError") {
    std::string list;
    for (const std::string& each : commandNames(app)) list += (list.empty() ? "" : ", ") + each;
    return "a command is needed (" + list + ")";
  }
  // "--replace-name PC FILE": the option took FILE as its second value, and
  // the parser's complaint (FILE missing, an argument too many) hides that.
  std::string explained = explainMissingSecondValue(args);
  return explained.empty() ? e.what() : explained;
}

int runCommand(std::vector<std::string> args, std::ostream& out, std::ostream& err) {
  CLI::App app{"tlconv: the 汀澜 client list converter on the command line", "tlconv"};
  app.require_subcommand(1);
  app.set_version_flag("--version", std::string("tlconv ") + TL_VERSION_TEXT, "Print the program's version");
  Options options;
  CommandRunner run;
  registerDetect(app, options, run);
  registerShow(app, options, run);
  registerCheck(app, options, run);
  registerImport(app, options, run);
  registerExport(app, options, run);
  registerRestore(app, options, run);
  registerHelp(app);

  const bool json = jsonRequested(args);
  const std::string command = !args.empty() && isCommand(app, args[0]) ? args[0] : std::string();
  if (command == "help") {
    std::string error;
    if (!rewriteHelp(app, args, error)) return reportUsageError(usageMessage("", error), json, out, err);
  }
  std::vector<std::string> spaced = splitEmptyOptionValues(args);
  std::vector<std::string> reversed(spaced.rbegin(), spaced.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    // The help's texts are the program's own, GBK like every other.
    out << platform::gbkToUtf8(app.help());
    return 0;
  } catch (const CLI::CallForVersion& e) {
    out << e.what() << '\n';
    return 0;
  } catch (const CLI::ParseError& e) {
    const std::string about = command == "help" ? std::string() : command;
    return reportUsageError(usageMessage(about, describeParseError(app, e, args, command)), json, out, err);
  }
  return run ? run(out, err) : 2;
}

}  // namespace

int runTlconv(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  int status = runCommand(args, out, err);
  // A full disk or a closed pipe leaves the output incomplete: a script must
  // not take it for done.
  out.flush();
  if (out.fail()) {
    err << "tlconv: cannot write to standard output; the output is incomplete\n";
    return status == 2 ? 2 : 1;
  }
  return status;
}

}  // namespace tl::cli
