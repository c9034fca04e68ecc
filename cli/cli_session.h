#pragma once
// What every tlconv command shares: its parsed options and one converter
// wired to the system's platform layer and the command line's stand-in UI.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_operator_ui.h"
#include "app/list_converter.h"
#include "platform/ini_files.h"
#include "platform/local_network.h"
#include "platform/processes.h"
#include "platform/service_control.h"

namespace CLI {
class App;
}

namespace tl::cli {

// One edit from the EDITS options, in command-line order.
struct EditStep {
  enum class Kind { SortAscending, SortDescending, ReplaceName, ReplaceIp } kind;
  std::string from, to;  // UTF-8, for the replacements
};

struct Options {
  std::string file;  // UTF-8 as given
  bool json = false;
  std::optional<std::string> localMask, localGateway, localDns;  // UTF-8
  std::vector<EditStep> edits;
  // import
  std::optional<std::string> database;  // --db, UTF-8
  bool answerYes = false;               // --yes
  bool noRestart = false;               // --no-restart
  bool noBackup = false;                // --no-backup
  bool dryRun = false;                  // --dry-run
};

struct Session {
  explicit Session(std::ostream& err);

  CliOperatorUi ui;
  std::unique_ptr<platform::IniFiles> ini;
  std::unique_ptr<platform::LocalNetwork> network;
  std::unique_ptr<platform::Processes> processes;
  std::unique_ptr<platform::ServiceControl> services;
  ListConverter converter;
};

// --local-mask, --local-gateway, --local-dns.
void addNetworkOptions(CLI::App* command, Options& options);

// Opens FILE on the fresh grid as a file dropped on the window would be,
// with the NETWORK overrides in force. Returns the list type name; `read` is
// true when a list was read without a failure message.
std::string openListFile(Session& session, const Options& options, bool& read);

}  // namespace tl::cli
