#pragma once
// The main window: the client grid over the core's ClientGrid, the five
// buttons, the status bar and the two popup menus. It draws the model and
// routes each operator action to one operation of the core.
#include <deque>
#include <functional>
#include <string>

#include "core/client_grid.h"
#include "app/list_converter.h"
#include "shell/edit_dialog.h"
#include "shell/wingui/controls.h"
#include "shell/wingui/message_pump.h"
#include "shell/wingui/top_level_window.h"
#include "shell/wingui/virtual_list_view.h"

namespace tl::shell {

class MainWindow : public wingui::TopLevelWindow, private GridObserver {
 public:
  MainWindow(ListConverter& converter, wingui::MessagePump& pump);
  ~MainWindow() override;

  // Creates the window, not yet shown; `onCreated` runs from its creation
  // handler.
  bool create(std::function<void()> onCreated, std::function<void()> onDestroy);
  void show(int showCommand);

  // A drop (or the command line): opened once the current message is done,
  // so that the drag source is not held while a list is read.
  void queueDroppedText(const std::string& text);

 protected:
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void createControls();
  void onCommand(int id);
  // Runs one operator action; ignored while another one runs.
  void runOperation(const std::function<void()>& operation);

  void editButtonClicked();
  void exportButtonClicked();
  void gridRightClicked();
  void popUp(wingui::PopupMenu& menu);
  void applyRename(RenameMode mode, const std::string& from, const std::string& to);

  void rowsChanged() override;
  void statusChanged(int part) override;
  void showGridChanges();
  void selectionChanged(int first, int last, bool selected);

  ListConverter& converter_;
  wingui::MessagePump& pump_;
  std::function<void()> onCreated_, onDestroy_;

  wingui::VirtualListView grid_;
  wingui::Button open_, import_, edit_, export_, help_;
  wingui::StatusBar status_;
  wingui::PopupMenu exportMenu_, editMenu_;
  EditDialog editDialog_;

  std::deque<std::string> droppedTexts_;
  bool inOperation_ = false;
  bool closePending_ = false;
  bool gridDirty_ = false;
  bool gridCleared_ = false;
  bool refreshTimerSet_ = false;
};

}  // namespace tl::shell
