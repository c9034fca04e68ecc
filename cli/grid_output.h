#pragma once
#include <iosfwd>
#include <string>

#include "cli/cli_operator_ui.h"
#include "core/client_grid.h"

namespace tl::cli {

// The grid as an aligned table followed by the three status fields, UTF-8.
void printGridTable(const ClientGrid& grid, std::ostream& out);

// {"type", "status", "rows", "messages"} as one JSON object on one line.
void printGridJson(const std::string& typeName, const ClientGrid& grid, const CliOperatorUi& ui,
                   std::ostream& out);

}  // namespace tl::cli
