#pragma once
// The fixed texts of the main window (the edit dialog's are in
// editing/edit_dialog_modes.h). GBK, like every text of the tool.
#include <array>
#include <string_view>

namespace tl::shell {

inline constexpr std::string_view kMainWindowTitle = "汀澜客户机列表转换工具";
inline constexpr std::string_view kHelpCaption = "说明";
extern const std::string_view kHelpText;

struct GridColumn {
  std::string_view header;
  int width;
};
extern const std::array<GridColumn, 8> kGridColumns;

inline constexpr std::string_view kExportSelectedText = "导出选中机器";
inline constexpr std::string_view kExportAllText = "导出全部机器";

}  // namespace tl::shell
