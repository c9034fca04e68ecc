#include "cli/tlconv_app.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <optional>
#include <ostream>

#include "cli/cli_operator_ui.h"
#include "cli/grid_output.h"
#include "core/list_converter.h"
#include "platform/ini_files.h"
#include "platform/local_network.h"
#include "platform/text_codec.h"

namespace tl::cli {
namespace {

struct Options {
  std::string file;
  bool json = false;
  std::optional<std::string> localMask, localGateway, localDns;
};

void addNetworkOptions(CLI::App* command, Options& options) {
  command->add_option("--local-mask", options.localMask, "Subnet mask used in place of the machine's");
  command->add_option("--local-gateway", options.localGateway, "Gateway used in place of the machine's");
  command->add_option("--local-dns", options.localDns, "DNS text (comma-separated) used in place of the machine's");
}

// Everything one command works with, built from the system's platform layer.
struct Session {
  explicit Session(std::ostream& err)
      : ui(err),
        ini(platform::makeSystemIniFiles()),
        network(platform::makeSystemLocalNetwork()),
        converter(PlatformServices{ui, *ini, *network}) {}

  CliOperatorUi ui;
  std::unique_ptr<platform::IniFiles> ini;
  std::unique_ptr<platform::LocalNetwork> network;
  ListConverter converter;
};

std::optional<std::string> toGbk(const std::optional<std::string>& utf8) {
  if (!utf8) return std::nullopt;
  return platform::utf8ToGbk(*utf8);
}

// Opens FILE on a fresh grid as a file dropped on the window would be.
// Returns the list type name; `read` tells whether a list was read.
std::string openFile(Session& session, const Options& options, bool& read) {
  NetworkOverrides& overrides = session.converter.networkOverrides();
  overrides.mask = toGbk(options.localMask);
  overrides.gateway = toGbk(options.localGateway);
  overrides.dnsText = toGbk(options.localDns);
  const std::string path = platform::utf8ToGbk(options.file);
  size_t before = session.ui.messages().size();
  std::string type = session.converter.openDropped(path);
  read = !type.empty() && session.ui.messages().size() == before;
  if (!type.empty() && !readerForListType(type)) {
    session.ui.note("列表类型 " + type + " 的读取尚未提供");
    read = false;
  }
  return type;
}

int runDetect(const Options& options, std::ostream& out, std::ostream& err) {
  Session session(err);
  bool read = false;
  std::string type = openFile(session, options, read);
  out << platform::gbkToUtf8(type) << '\n';
  return type.empty() ? 1 : 0;
}

int runShow(const Options& options, std::ostream& out, std::ostream& err) {
  Session session(err);
  session.ui.setPrintMessages(!options.json);
  bool read = false;
  std::string type = openFile(session, options, read);
  const ClientGrid& grid = session.converter.grid();
  if (options.json)
    printGridJson(type, grid, session.ui, out);
  else
    printGridTable(grid, out);
  if (type.empty() && grid.status(kTypeField) == "列表文件不支持" && !options.json)
    session.ui.note("列表文件不支持");
  return read ? 0 : 1;
}

}  // namespace

int runTlconv(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CLI::App app{"汀澜 client list converter"};
  app.require_subcommand(1);
  Options options;

  CLI::App* detect = app.add_subcommand("detect", "Print the detected list type name");
  detect->add_option("FILE", options.file)->required();

  CLI::App* show = app.add_subcommand("show", "Print the client grid and the status fields");
  show->add_flag("--json", options.json, "Print one JSON object");
  addNetworkOptions(show, options);
  show->add_option("FILE", options.file)->required();

  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    out << app.help();
    return 0;
  } catch (const CLI::ParseError& e) {
    err << "tlconv: " << e.what() << '\n' << "Run tlconv --help for the commands.\n";
    return 2;
  }

  if (detect->parsed()) return runDetect(options, out, err);
  if (show->parsed()) return runShow(options, out, err);
  return 2;
}

}  // namespace tl::cli
