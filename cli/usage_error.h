#pragma once
// A usage error: one line on standard error that ends by pointing at the
// help, and, when JSON output was asked for, {"error": "<the line>"} on
// standard output, so that a script reading JSON sees every failure.
#include <iosfwd>
#include <string>
#include <vector>

namespace tl::cli {

// "tlconv COMMAND: WHAT; run 'tlconv COMMAND --help'", or without a command
// "tlconv: WHAT; run 'tlconv --help'". UTF-8.
std::string usageMessage(const std::string& command, const std::string& what);

// Prints the message; returns the usage error's exit status, 2.
int reportUsageError(const std::string& message, bool json, std::ostream& out, std::ostream& err);

// True when the arguments ask for JSON output (--json before a lone "--").
bool jsonRequested(const std::vector<std::string>& args);

}  // namespace tl::cli
