#pragma once
// Base of the program's own top-level windows: registers the class once,
// routes the messages to handleMessage and centres the window.
#include <windows.h>

#include <string>

namespace tl::wingui {

struct TopLevelArgs {
  const wchar_t* className;
  std::string title;  // GBK
  DWORD style;
  int width, height;  // outer size
  HWND owner = nullptr;
};

class TopLevelWindow {
 public:
  TopLevelWindow() = default;
  TopLevelWindow(const TopLevelWindow&) = delete;
  TopLevelWindow& operator=(const TopLevelWindow&) = delete;
  virtual ~TopLevelWindow();

  HWND hwnd() const { return hwnd_; }

 protected:
  // Created centred on the screen, not yet shown.
  bool createWindow(const TopLevelArgs& args);
  virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT defaultHandling(UINT message, WPARAM wParam, LPARAM lParam);
  // Called once WM_NCDESTROY has detached the window.
  virtual void destroyed() {}

 private:
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
};

void centreOnScreen(HWND hwnd);

}  // namespace tl::wingui
