#pragma once
// The EDITS options (--sort, --replace-name, --replace-ip), applied after
// reading in the order they stand on the command line.
#include "cli/cli_session.h"

namespace tl::cli {

void addEditOptions(CLI::App* command, Options& options);
// Collects the parsed edits into options.edits in command-line order.
void collectEdits(const CLI::App& command, Options& options);
void applyEdits(Session& session, const Options& options);

}  // namespace tl::cli
