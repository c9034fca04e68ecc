#include "shell/main_window.h"

#include <commctrl.h>

#include "shell/rules/operator_actions.h"
#include "shell/rules/window_texts.h"

namespace tl::shell {
namespace {

// Control and menu ids; the popup menus' items arrive as WM_COMMAND too, so
// that a menu item chosen by any means runs the same operation.
enum Id : int {
  kGrid = 1001,
  kOpenButton,
  kImportButton,
  kEditButton,
  kExportButton,
  kHelpButton,
  kStatusBar,
  kExportSelected = 2001,
  kExportAll,
  kEditNamePrefix = 2011,
  kEditIpSegment,
};

constexpr UINT kOpenDroppedMessage = WM_APP + 1;
constexpr UINT_PTR kGridRefreshTimer = 1;
// While a list is read the grid is redrawn at most this often: five times a
// second shows the list growing, and each redraw of the visible rows costs
// the read time (under Wine a few milliseconds through the X server).
constexpr UINT kGridRefreshMs = 200;

}  // namespace

MainWindow::MainWindow(ListConverter& converter, wingui::MessagePump& pump)
    : converter_(converter),
      pump_(pump),
      editDialog_(pump, [this](RenameMode mode, const std::string& from, const std::string& to) {
        applyRename(mode, from, to);
      }) {}

MainWindow::~MainWindow() { converter_.grid().setObserver(nullptr); }

bool MainWindow::create(std::function<void()> onCreated, std::function<void()> onDestroy) {
  onCreated_ = std::move(onCreated);
  onDestroy_ = std::move(onDestroy);
  // Fixed frame, minimise and close buttons, no maximise button, no menu bar.
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  return createWindow({L"TinglanListConverter", std::string(kMainWindowTitle), style, 846, 522});
}

void MainWindow::show(int showCommand) {
  ShowWindow(hwnd(), showCommand);
  UpdateWindow(hwnd());
}

void MainWindow::queueDroppedText(const std::string& text) {
  droppedTexts_.push_back(text);
  PostMessageW(hwnd(), kOpenDroppedMessage, 0, 0);
}

void MainWindow::createControls() {
  HWND self = hwnd();
  std::vector<wingui::ListColumn> columns;
  for (const GridColumn& column : kGridColumns) columns.push_back({std::string(column.header), column.width});
  grid_.create({self, kGrid, 0, 0, 752, 472, ""}, columns);
  grid_.cellText = [this](int row, int column) { return converter_.grid().cell(row, column); };
  grid_.onColumnClick = [this](int column) { runOperation([this, column] { converter_.headerClicked(column); }); };
  grid_.onRightClick = [this] { runOperation([this] { gridRightClicked(); }); };
  grid_.onSelectionChanged = [this](int first, int last, bool selected) { selectionChanged(first, last, selected); };

  open_.create({self, kOpenButton, 763, 8, 72, 32, "打开"});
  import_.create({self, kImportButton, 763, 52, 72, 32, "导入"});
  edit_.create({self, kEditButton, 764, 90, 72, 32, "修改信息"});
  export_.create({self, kExportButton, 763, 134, 72, 32, "导出IPMAC"});
  help_.create({self, kHelpButton, 763, 174, 72, 32, "说明"});
  open_.onClick = [this] { runOperation([this] { converter_.openWithDialog(); }); };
  import_.onClick = [this] { runOperation([this] { converter_.importGrid(); }); };
  edit_.onClick = [this] { runOperation([this] { editButtonClicked(); }); };
  export_.onClick = [this] { runOperation([this] { exportButtonClicked(); }); };
  help_.onClick = [this] { runOperation([this] { showHelp(converter_.ui()); }); };

  status_.create(self, kStatusBar, {100, 600, 1400});

  exportMenu_.addItem(kExportSelected, std::string(kExportSelectedText));
  exportMenu_.addItem(kExportAll, std::string(kExportAllText));
  editMenu_.addItem(kEditNamePrefix, kEditMenuPrefixItem);
  editMenu_.addItem(kEditIpSegment, kEditMenuIpItem);

  converter_.grid().setObserver(this);
  for (int part = 0; part < kStatusPartCount; ++part) statusChanged(part);
  grid_.setRowCount(converter_.grid().rowCount());
}

void MainWindow::onCommand(int id) {
  switch (id) {
    case kExportSelected:
      runOperation([this] { converter_.exportSelectedRows(); });
      break;
    case kExportAll:
      runOperation([this] { converter_.exportAllRows(); });
      break;
    case kEditNamePrefix:
      runOperation([this] { editDialog_.openIn(RenameMode::NamePrefix); });
      break;
    case kEditIpSegment:
      runOperation([this] { editDialog_.openIn(RenameMode::IpSegment); });
      break;
  }
}

void MainWindow::runOperation(const std::function<void()>& operation) {
  if (inOperation_ || converter_.busy()) return;
  inOperation_ = true;
  operation();
  inOperation_ = false;
  showGridChanges();
  if (closePending_) PostMessageW(hwnd(), WM_CLOSE, 0, 0);
}

void MainWindow::editButtonClicked() {
  if (ensureListOpen(converter_.grid(), converter_.ui())) popUp(editMenu_);
}

void MainWindow::exportButtonClicked() {
  if (!ensureListOpen(converter_.grid(), converter_.ui())) return;
  exportMenu_.setEnabled(kExportSelected, true);
  exportMenu_.setEnabled(kExportAll, true);
  popUp(exportMenu_);
}

void MainWindow::gridRightClicked() {
  bool enabled = exportItemsEnabled(converter_.grid());
  exportMenu_.setEnabled(kExportSelected, enabled);
  exportMenu_.setEnabled(kExportAll, enabled);
  popUp(exportMenu_);
}

void MainWindow::popUp(wingui::PopupMenu& menu) {
  POINT pointer{};
  GetCursorPos(&pointer);
  Placement at = popupPosition(pointer.x, pointer.y);
  int chosen = menu.track(hwnd(), at.left, at.top);
  // The item's operation runs after the menu has closed, as its own action.
  if (chosen != 0) PostMessageW(hwnd(), WM_COMMAND, WPARAM(chosen), 0);
}

void MainWindow::applyRename(RenameMode mode, const std::string& from, const std::string& to) {
  runOperation([this, mode, from, to] { converter_.applyRename(mode, from, to); });
}

void MainWindow::rowsChanged() {
  // Readers change the grid row by row: redraw on a timer, not per change.
  if (converter_.grid().rowCount() == 0) gridCleared_ = true;
  gridDirty_ = true;
  if (!refreshTimerSet_ && hwnd()) refreshTimerSet_ = SetTimer(hwnd(), kGridRefreshTimer, kGridRefreshMs, nullptr) != 0;
}

void MainWindow::statusChanged(int part) { status_.setText(part, converter_.grid().status(part)); }

void MainWindow::showGridChanges() {
  if (refreshTimerSet_) {
    KillTimer(hwnd(), kGridRefreshTimer);
    refreshTimerSet_ = false;
  }
  if (!gridDirty_) return;
  gridDirty_ = false;
  grid_.setRowCount(converter_.grid().rowCount());
  // A new list starts with nothing selected: the list view's marks belong to
  // the rows of the list it showed before.
  if (gridCleared_) {
    gridCleared_ = false;
    grid_.deselectAll();
  }
}

void MainWindow::selectionChanged(int first, int last, bool selected) {
  ClientGrid& grid = converter_.grid();
  if (first < 0) {
    first = 0;
    last = grid.rowCount() - 1;
  }
  for (int row = first; row <= last; ++row) grid.setSelected(row, selected);
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      createControls();
      if (onCreated_) onCreated_();
      return 0;
    case WM_COMMAND:
      if (open_.handleCommand(wParam, lParam) || import_.handleCommand(wParam, lParam) ||
          edit_.handleCommand(wParam, lParam) || export_.handleCommand(wParam, lParam) ||
          help_.handleCommand(wParam, lParam))
        return 0;
      if (lParam == 0) onCommand(LOWORD(wParam));
      return 0;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (grid_.handleNotify(reinterpret_cast<const NMHDR*>(lParam), result)) return result;
      break;
    }
    case WM_TIMER:
      if (wParam == kGridRefreshTimer) {
        showGridChanges();
        return 0;
      }
      break;
    case kOpenDroppedMessage:
      if (!droppedTexts_.empty()) {
        std::string text = std::move(droppedTexts_.front());
        droppedTexts_.pop_front();
        runOperation([this, &text] { converter_.openDropped(text); });
      }
      return 0;
    case WM_CLOSE:
      // Closing in the middle of a read would pull the window from under it:
      // the window closes once the running operation has ended.
      if (inOperation_ || converter_.busy()) {
        closePending_ = true;
        return 0;
      }
      DestroyWindow(hwnd());
      return 0;
    case WM_DESTROY:
      converter_.grid().setObserver(nullptr);
      if (onDestroy_) onDestroy_();
      PostQuitMessage(0);
      return 0;
  }
  return defaultHandling(message, wParam, lParam);
}

}  // namespace tl::shell
