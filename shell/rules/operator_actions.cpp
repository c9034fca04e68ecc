#include "shell/rules/operator_actions.h"

#include "shell/rules/window_texts.h"

namespace tl::shell {

bool ensureListOpen(const ClientGrid& grid, OperatorUi& ui) {
  if (grid.rowCount() > 0) return true;
  ui.showMessage("请先打开列表文件", "提示", MessageIcon::Information);
  return false;
}

bool exportItemsEnabled(const ClientGrid& grid) { return grid.rowCount() > 0; }

void showHelp(OperatorUi& ui) { ui.showMessage(std::string(kHelpText), std::string(kHelpCaption), MessageIcon::Information); }

std::string joinDroppedPaths(const std::vector<std::string>& paths) {
  if (paths.size() == 1) return paths.front();
  std::string text;
  for (const std::string& path : paths) text += path + "\r\n";
  return text;
}

Placement popupPosition(int pointerX, int pointerY) { return {pointerX + 3, pointerY + 3}; }

}  // namespace tl::shell
