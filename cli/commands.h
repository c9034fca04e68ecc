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

// An empty --db PATH names no database and would fall through to a failed
// open: a usage error for import and restore.
void rejectEmptyDatabase(const Options& options);

}  // namespace tl::cli
