#include "editing/export_rows.h"

#include <cstdio>
#include <numeric>
#include <vector>

#include "data/text/gbk_text.h"
#include "editing/export_text.h"
#include "platform/file_system.h"

namespace tl {
namespace {

// A double-byte character whose second byte is 0x5C is not a separator.
bool endsWithSeparator(const std::string& folder, char separator) {
  return !folder.empty() && text::findLastChar(folder, separator) == folder.size() - 1;
}

std::vector<int> allRows(const ClientGrid& grid) {
  std::vector<int> rows(size_t(grid.rowCount()));
  std::iota(rows.begin(), rows.end(), 0);
  return rows;
}

}  // namespace

std::string exportTimestamp(const platform::LocalDateTime& t) {
  char buffer[80];
  std::snprintf(buffer, sizeof buffer, "%d%02d%02d%02d%02d%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
  return buffer;
}

std::string exportFilePath(const std::string& desktopFolder, const platform::LocalDateTime& time) {
  const char separator = platform::pathSeparator();
  std::string path = desktopFolder;
  if (!endsWithSeparator(path, separator)) path += separator;
  return path + "导出文件" + exportTimestamp(time) + ".txt";
}

PreparedExport prepareExport(const ExportContext& context, ExportScope scope) {
  std::vector<int> rows;
  if (scope == ExportScope::SelectedRows) {
    rows = context.grid.selectedRows();
    if (rows.empty()) {
      context.ui.showMessage("请选择要导出的机器", "提示", MessageIcon::Exclamation);
      return {ExportOutcome::NoSelection, {}};
    }
  }
  std::string lineTemplate = context.ui.askText(kExportPrompt, "提示", kExportDefaultTemplate);
  if (lineTemplate.empty()) return {ExportOutcome::EmptyTemplate, {}};
  if (scope == ExportScope::AllRows) {
    if (context.grid.rowCount() == 0) return {ExportOutcome::NoRows, {}};
    rows = allRows(context.grid);
  }
  return {ExportOutcome::Written, buildExportText(context.grid, rows, lineTemplate)};
}

ExportOutcome exportRows(const ExportContext& context, ExportScope scope, const std::optional<std::string>& outputPath) {
  PreparedExport prepared = prepareExport(context, scope);
  if (prepared.outcome != ExportOutcome::Written) return prepared.outcome;
  const std::string& exportText = prepared.text;
  std::string path = outputPath ? *outputPath : exportFilePath(context.ui.desktopFolder(), context.clock());
  // A write that fails is said so: the operator would otherwise look for a
  // file that is not there.
  if (!platform::writeFileBytes(path, exportText)) {
    context.ui.showMessage("导出文件失败 文件位置：" + path, "提示", MessageIcon::Error);
    return ExportOutcome::WriteFailed;
  }
  context.ui.showMessage("已导出文件 文件位置：" + path, "提示", MessageIcon::Information);
  return ExportOutcome::Written;
}

}  // namespace tl
