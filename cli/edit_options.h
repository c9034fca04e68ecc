#pragma once
// The EDITS options (--sort, --replace-name, --replace-ip), applied after
// reading in the order they stand on the command line.
#include "cli/cli_session.h"

namespace tl::cli {

void addEditOptions(CLI::App* command, Options& options);
// Collects the parsed edits into options.edits in command-line order.
void collectEdits(const CLI::App& command, Options& options);
void applyEdits(Session& session, const Options& options);

// What show, check, import and export begin with: FILE opened as
// openListFile opens it (its messages printed unless --json) and, when a list
// was read, the EDITS applied. Returns the list type name.
std::string readEditedList(Session& session, const Options& options, bool& read);

// "--replace-name PC list.db" lacks TO: the option takes the list file as its
// second value and the parser reports a missing FILE. Names the option and
// what it took instead (or that a value is missing); empty when every
// replacement has its two values and the list file follows them.
std::string explainMissingSecondValue(const std::vector<std::string>& args);

}  // namespace tl::cli
