#pragma once
// tlconv export after the list is read and edited: --rows made into a
// selection, the template given to the input box, the file (or standard
// output) written.
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_session.h"

namespace tl::cli {

struct ExportRequest {
  std::string lineTemplate;               // UTF-8, as typed into the input box
  std::optional<std::string> rows;        // --rows LIST (repeated lists joined), UTF-8
  std::optional<std::string> outputPath;  // --output PATH, UTF-8; "-" is standard output
  bool force = false;                     // --force: write over the list or a database too
};

// --rows given several times: one list. Empty lists add nothing, so
// "--rows '' --rows 2" is row 2 while "--rows ''" alone is the empty selection.
std::string joinRowLists(const std::vector<std::string>& lists);

// --rows: comma-separated 1-based positions within `rowCount` rows, as
// 0-based indices. The empty text is the empty selection. False, with a
// reason in `error`, for a piece that is not a number or not a position.
bool parseRowPositions(const std::string& list, int rowCount, std::vector<int>& rows, std::string& error);

// Exports the session's grid, read from `listFile` (UTF-8). Returns the exit
// status: 0 written, 1 stopped (the reason on `err`), 2 for a bad --rows.
int exportGrid(Session& session, const ExportRequest& request, const std::string& listFile, std::ostream& out,
               std::ostream& err);

}  // namespace tl::cli
