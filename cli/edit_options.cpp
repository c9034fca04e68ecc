#include "cli/edit_options.h"

#include <CLI/CLI.hpp>

namespace tl::cli {

// The edits arrive with the editing operations.
void addEditOptions(CLI::App*, Options&) {}
void collectEdits(const CLI::App&, Options&) {}
void applyEdits(Session&, const Options&) {}

}  // namespace tl::cli
