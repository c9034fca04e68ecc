#pragma once
// What the window's buttons and its drop target decide before any window
// call: kept apart from the Win32 code so that it runs in the tests anywhere.
#include <string>
#include <vector>

#include "core/client_grid.h"
#include "core/operator_ui.h"
#include "shell/wingui/placement.h"

namespace tl::shell {

// The edit and export buttons need a list: on an empty grid they say
// "请先打开列表文件" and open no menu.
bool ensureListOpen(const ClientGrid& grid, OperatorUi& ui);

// The export menu's items are usable only when the grid has rows.
bool exportItemsEnabled(const ClientGrid& grid);

void showHelp(OperatorUi& ui);

// The text a drop hands over: the one path, or every path followed by CR LF
// when several files are dropped at once.
std::string joinDroppedPaths(const std::vector<std::string>& paths);


using wingui::Placement;
using wingui::centredOnScreen;

// Popup menus open 3 pixels right of and below the pointer.
Placement popupPosition(int pointerX, int pointerY);

}  // namespace tl::shell
