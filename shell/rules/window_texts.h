#pragma once
// The fixed texts of the main window and the edit dialog. GBK, like every
// text of the tool.
#include <array>
#include <string_view>

namespace tl::shell {

inline constexpr std::string_view kMainWindowTitle = "汀澜客户机列表转换工具";
inline constexpr std::string_view kHelpCaption = "说明";
extern const std::string_view kHelpText;
extern const std::string_view kEditHelpText;

struct GridColumn {
  std::string_view header;
  int width;
};
extern const std::array<GridColumn, 8> kGridColumns;

inline constexpr std::string_view kExportSelectedText = "导出选中机器";
inline constexpr std::string_view kExportAllText = "导出全部机器";
inline constexpr std::string_view kEditNamePrefixText = "修改计算机名前缀";
inline constexpr std::string_view kEditIpSegmentText = "修改ip段";

}  // namespace tl::shell
