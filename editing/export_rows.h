#pragma once
// The export menu's two items: the chosen rows written through the
// operator's line template into a GBK text file on the desktop.
#include <optional>
#include <string>

#include "core/client_grid.h"
#include "core/operator_ui.h"
#include "platform/local_clock.h"

namespace tl {

enum class ExportScope { SelectedRows, AllRows };

enum class ExportOutcome {
  Written,
  NoSelection,    // "请选择要导出的机器" was shown
  EmptyTemplate,  // Cancel or an emptied input box: a silent stop
  NoRows,         // an empty grid: a silent stop
  WriteFailed,    // the failure message was shown
  Busy,           // another operation was running: ignored
};

struct ExportContext {
  const ClientGrid& grid;
  OperatorUi& ui;
  const platform::LocalClock& clock;
};

// What comes before the write: the selection check, the template asked for,
// the text built. `outcome` is Written when `text` is ready to be written.
struct PreparedExport {
  ExportOutcome outcome;
  std::string text;
};
PreparedExport prepareExport(const ExportContext& context, ExportScope scope);

// Asks for the template, builds the text of the selected rows (ascending) or
// of all rows, writes it and confirms. Without `outputPath` the file goes to
// the desktop under a name made from the local time.
ExportOutcome exportRows(const ExportContext& context, ExportScope scope,
                         const std::optional<std::string>& outputPath = std::nullopt);

// Year, then month, day, hour, minute and second in two digits each:
// 20240105093007 (fourteen digits for the years 1000 to 9999).
std::string exportTimestamp(const platform::LocalDateTime& time);

// The desktop folder with a separator after it (just the separator when the
// folder is unknown), "导出文件", the timestamp and ".txt".
std::string exportFilePath(const std::string& desktopFolder, const platform::LocalDateTime& time);

inline constexpr const char* kExportPrompt =
    "变量含义：name=计算机名，ip=IP地址，mac=MAC地址 可自定义输出格式 添加其他内容 比如arp -s ip mac";
inline constexpr const char* kExportDefaultTemplate = "name ip mac";

}  // namespace tl
