#pragma once
// Each tlconv command registers its subcommand and, when parsed, leaves the
// function that runs it.
#include <functional>
#include <iosfwd>

#include "cli/cli_session.h"

namespace tl::cli {

using CommandRunner = std::function<int(std::ostream& out, std::ostream& err)>;

void registerDetect(CLI::App& app, Options& options, CommandRunner& run);
void registerShow(CLI::App& app, Options& options, CommandRunner& run);
void registerImport(CLI::App& app, Options& options, CommandRunner& run);
void registerExport(CLI::App& app, Options& options, CommandRunner& run);
void registerCheck(CLI::App& app, Options& options, CommandRunner& run);
void registerRestore(CLI::App& app, Options& options, CommandRunner& run);

}  // namespace tl::cli
