#include "cli/usage_error.h"

#include <nlohmann/json.hpp>

#include <ostream>

namespace tl::cli {

std::string usageMessage(const std::string& command, const std::string& what) {
  const std::string program = command.empty() ? "tlconv" : "tlconv " + command;
  return program + ": " + what + "; run '" + program + " --help'";
}

int reportUsageError(const std::string& message, bool json, std::ostream& out, std::ostream& err) {
  err << message << '\n';
  if (json) {
    nlohmann::ordered_json doc = {{"error", message}};
    // The message may quote an argument that is no UTF-8; JSON must be.
    out << doc.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
  }
  return 2;
}

bool jsonRequested(const std::vector<std::string>& args) {
  for (const std::string& arg : args) {
    if (arg == "--") return false;
    if (arg == "--json") return true;
  }
  return false;
}

}  // namespace tl::cli
