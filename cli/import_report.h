#pragma once
// What tlconv says about an import or a restore: the check's problems, the
// change summary and the changed rows, as lines or as JSON members.
#include <nlohmann/json.hpp>

#include <iosfwd>
#include <vector>

#include "cli/cli_session.h"
#include "import/client_import.h"

namespace tl::cli {

// One problem per line, UTF-8.
void printProblems(const std::vector<ImportProblem>& problems, std::ostream& out);
// [{"kind", "rows": [序号...], "text"}].
nlohmann::ordered_json problemsJson(const ClientGrid& grid, const std::vector<ImportProblem>& problems);

// The summary line, then "+ row", "- row" and "~ before → after" lines.
void printChanges(const ChangeSummary& summary, std::ostream& out);
// {"added": [[...]], "removed": [[...]], "changed": [{"before", "after"}]}.
nlohmann::ordered_json changesJson(const ChangeSummary& summary);

// The result of an import or a restore as the exit status, with a line on
// standard error for what the window would have left to the operator's eyes.
int reportImport(Session& session, const ImportResult& result);

}  // namespace tl::cli
