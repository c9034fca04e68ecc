#pragma once
// The window program's one application object: it owns the long-lived
// objects (the core's ListConverter with its connections, the platform
// services, the window) from start-up to exit, in creation order, and
// releases them in reverse order when the main window has closed.
#include <memory>
#include <string>

#include "app/list_converter.h"
#include "platform/ini_files.h"
#include "platform/local_network.h"
#include "shell/main_window.h"
#include "shell/window_operator_ui.h"
#include "shell/wingui/message_pump.h"
#include "update/update_check.h"

namespace tl::shell {

class FileDropTarget;

class Application {
 public:
  Application();
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Shows the main window, opens `startPaths` (the command line's files,
  // joined like a drop) when given, and runs until the window is closed.
  // `updateSettings` names the update server and the release key; without either
  // the check offers nothing.
  int run(const std::string& startPaths, int showCommand, const update::UpdateSettings& updateSettings);

 private:
  // The creation handler of the main window.
  void mainWindowCreated();
  void mainWindowDestroyed();
  // True when a newer program was started and this one must end.
  bool updateReplacedProgram();

  wingui::MessagePump pump_;
  WindowOperatorUi ui_;
  std::unique_ptr<platform::IniFiles> ini_;
  std::unique_ptr<platform::LocalNetwork> network_;
  std::unique_ptr<platform::Processes> processes_;
  std::unique_ptr<platform::ServiceControl> services_;
  ListConverter converter_;
  MainWindow window_;
  FileDropTarget* dropTarget_ = nullptr;
  update::UpdateSettings updateSettings_;
  bool oleReady_ = false;
  bool endAtOnce_ = false;
};

}  // namespace tl::shell
