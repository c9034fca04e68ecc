#pragma once
#include <nlohmann/json.hpp>

#include <iosfwd>
#include <string>

#include "cli/cli_operator_ui.h"
#include "core/client_grid.h"

namespace tl::cli {

// The grid as an aligned table followed by the three status fields, UTF-8,
// safe for a terminal: control bytes shown as marks, wide cells cut.
void printGridTable(const ClientGrid& grid, std::ostream& out);

// {"type", "status", "rows", "messages", "notes"}; every byte of the cells is
// kept (escaped where JSON needs it). A command adds its own members before
// printing it.
nlohmann::ordered_json gridJson(const std::string& typeName, const ClientGrid& grid, const CliOperatorUi& ui);

// gridJson as one JSON object on one line.
void printGridJson(const std::string& typeName, const ClientGrid& grid, const CliOperatorUi& ui,
                   std::ostream& out);

}  // namespace tl::cli
