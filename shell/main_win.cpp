// The window program's entry: a path given on the command line (a list
// dragged onto the program's icon) is opened as if it had been dropped.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "platform/wide_text_win.h"
#include "shell/application.h"
#include "shell/rules/operator_actions.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof(controls);
  controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&controls);

  std::vector<std::string> paths;
  int count = 0;
  if (LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count)) {
    for (int i = 1; i < count; ++i) paths.push_back(tl::platform::wideToGbk(arguments[i]));
    LocalFree(arguments);
  }
  std::string startPaths = paths.empty() ? std::string() : tl::shell::joinDroppedPaths(paths);

  tl::shell::Application application;
  return application.run(startPaths, showCommand, {TL_UPDATE_HOST, TL_UPDATE_PUBLIC_KEY});
}
