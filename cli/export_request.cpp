#include "cli/export_request.h"

#include <charconv>
#include <ostream>

#include "platform/text_codec.h"

namespace tl::cli {

bool parseRowPositions(const std::string& list, int rowCount, std::vector<int>& rows, std::string& error) {
  rows.clear();
  if (list.empty()) return true;
  size_t start = 0;
  while (start <= list.size()) {
    size_t comma = list.find(',', start);
    std::string piece = list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    long long position = 0;
    auto [end, ec] = std::from_chars(piece.data(), piece.data() + piece.size(), position);
    if (piece.empty() || ec != std::errc() || end != piece.data() + piece.size()) {
      error = "--rows: \"" + piece + "\" is not a row position";
      return false;
    }
    if (position < 1 || position > rowCount) {
      error = "--rows: " + piece + " is not a row of the grid (1 to " + std::to_string(rowCount) + ")";
      return false;
    }
    rows.push_back(int(position - 1));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return true;
}

int exportGrid(Session& session, const ExportRequest& request, std::ostream& err) {
  ListConverter& converter = session.converter;
  ExportScope scope = ExportScope::AllRows;
  if (request.rows) {
    std::vector<int> rows;
    std::string error;
    if (!parseRowPositions(*request.rows, converter.grid().rowCount(), rows, error)) {
      err << "tlconv: " << error << '\n';
      return 2;
    }
    converter.grid().clearSelection();
    for (int row : rows) converter.grid().setSelected(row, true);
    scope = ExportScope::SelectedRows;
  }
  session.ui.setInputText(platform::utf8ToGbk(request.lineTemplate));
  std::optional<std::string> output;
  if (request.outputPath) output = platform::utf8ToGbk(*request.outputPath);

  switch (converter.exportRows(scope, output)) {
    case ExportOutcome::Written: return 0;
    case ExportOutcome::EmptyTemplate: session.ui.note("导出模板为空，未导出文件"); return 1;
    case ExportOutcome::NoRows: session.ui.note("列表中没有客户机，未导出文件"); return 1;
    case ExportOutcome::NoSelection:  // the message box said it
    case ExportOutcome::WriteFailed:
    case ExportOutcome::Busy: return 1;
  }
  return 1;
}

}  // namespace tl::cli
