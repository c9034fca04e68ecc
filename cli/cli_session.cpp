#include "cli/cli_session.h"

#include <CLI/CLI.hpp>

#include "platform/text_codec.h"

namespace tl::cli {
namespace {

std::optional<std::string> toGbk(const std::optional<std::string>& utf8) {
  if (!utf8) return std::nullopt;
  return platform::utf8ToGbk(*utf8);
}

}  // namespace

Session::Session(std::ostream& err)
    : ui(err),
      ini(platform::makeSystemIniFiles()),
      network(platform::makeSystemLocalNetwork()),
      processes(platform::makeSystemProcesses()),
      services(platform::makeSystemServiceControl()),
      converter(PlatformServices{ui, *ini, *network, *processes, *services}) {}

void addNetworkOptions(CLI::App* command, Options& options) {
  command->add_option("--local-mask", options.localMask, "Subnet mask used in place of the machine's");
  command->add_option("--local-gateway", options.localGateway, "Gateway used in place of the machine's");
  command->add_option("--local-dns", options.localDns, "DNS text (comma-separated) used in place of the machine's");
}

std::string openListFile(Session& session, const Options& options, bool& read) {
  NetworkOverrides& overrides = session.converter.networkOverrides();
  overrides.mask = toGbk(options.localMask);
  overrides.gateway = toGbk(options.localGateway);
  overrides.dnsText = toGbk(options.localDns);
  size_t before = session.ui.messages().size();
  std::string type = session.converter.openDropped(platform::utf8ToGbk(options.file));
  read = !type.empty() && session.ui.messages().size() == before;
  if (type.empty() && session.converter.grid().status(kTypeField) == "列表文件不支持")
    session.ui.note("列表文件不支持");
  return type;
}

}  // namespace tl::cli
