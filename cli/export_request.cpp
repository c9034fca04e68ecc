#include "cli/export_request.h"

#include <charconv>
#include <ostream>

#include "cli/export_guard.h"
#include "cli/usage_error.h"
#include "data/text/gbk_text.h"
#include "platform/text_codec.h"

namespace tl::cli {
namespace {

constexpr const char* kStandardOutput = "-";

// The words the export replaces, exactly as it replaces them: lower case.
bool hasVariableWord(const std::string& gbkTemplate) {
  for (const char* word : {"name", "ip", "mac"})
    if (text::contains(gbkTemplate, word, text::Case::Sensitive)) return true;
  return false;
}

// The export text on standard output, UTF-8 like all terminal output; the
// steps before it (selection, template, rows) are the window's.
ExportOutcome exportToStream(Session& session, ExportScope scope, std::ostream& out) {
  ListConverter& converter = session.converter;
  platform::LocalClock clock = platform::currentLocalTime;
  PreparedExport prepared = prepareExport(ExportContext{converter.grid(), session.ui, clock}, scope);
  if (prepared.outcome == ExportOutcome::Written) out << platform::gbkToUtf8(prepared.text);
  return prepared.outcome;
}

}  // namespace

std::string joinRowLists(const std::vector<std::string>& lists) {
  std::string joined;
  for (const std::string& list : lists) {
    if (list.empty()) continue;
    if (!joined.empty()) joined += ',';
    joined += list;
  }
  return joined;
}

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

int exportGrid(Session& session, const ExportRequest& request, const std::string& listFile, std::ostream& out,
               std::ostream& err) {
  ListConverter& converter = session.converter;
  ExportScope scope = ExportScope::AllRows;
  if (request.rows) {
    std::vector<int> rows;
    std::string error;
    if (!parseRowPositions(*request.rows, converter.grid().rowCount(), rows, error))
      return reportUsageError(usageMessage("export", error), false, out, err);
    converter.grid().clearSelection();
    for (int row : rows) converter.grid().setSelected(row, true);
    scope = ExportScope::SelectedRows;
  }
  const std::string lineTemplate = platform::utf8ToGbk(request.lineTemplate);
  session.ui.setInputText(lineTemplate);
  const bool toStandardOutput = request.outputPath == kStandardOutput;
  std::optional<std::string> output;
  if (request.outputPath && !toStandardOutput) {
    output = platform::utf8ToGbk(*request.outputPath);
    std::string refusal = request.force ? std::string() : exportOutputRefusal(*output, platform::utf8ToGbk(listFile));
    if (!refusal.empty()) {
      session.ui.note(refusal);
      return 1;
    }
  }

  ExportOutcome outcome = toStandardOutput ? exportToStream(session, scope, out) : converter.exportRows(scope, output);
  if (outcome == ExportOutcome::Written && !hasVariableWord(lineTemplate))
    session.ui.note("模板中没有 name、ip、mac");
  switch (outcome) {
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
