#include "shell/input_box.h"

#include <windows.h>

#include <vector>

#include "shell/wingui/controls.h"
#include "shell/wingui/top_level_window.h"

namespace tl::shell {
namespace {

class InputBox : public wingui::TopLevelWindow {
 public:
  InputBox(const std::string& prompt, const std::string& initialText) : prompt_(prompt), initial_(initialText) {}

  std::string run(const std::string& caption) {
    if (!createWindow({L"TinglanInputBox", caption, WS_POPUP | WS_CAPTION | WS_SYSMENU, 380, 170})) return {};
    std::vector<HWND> disabled = disableOtherWindows();
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
    SetFocus(text_.hwnd());
    SendMessageW(text_.hwnd(), EM_SETSEL, 0, -1);
    MSG message;
    while (!done_ && GetMessageW(&message, nullptr, 0, 0) > 0) {
      if (hwnd() && IsDialogMessageW(hwnd(), &message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (!done_) PostQuitMessage(int(message.wParam));  // the main loop must see WM_QUIT too
    for (HWND window : disabled) EnableWindow(window, TRUE);
    if (hwnd()) DestroyWindow(hwnd());
    return accepted_ ? answer_ : std::string();
  }

 protected:
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_CREATE:
        label_.create({hwnd(), 100, 10, 10, 350, 40, prompt_});
        text_.create({hwnd(), 101, 10, 56, 350, 22, initial_}, {});
        ok_.create({hwnd(), IDOK, 190, 92, 80, 28, "确定"});
        cancel_.create({hwnd(), IDCANCEL, 280, 92, 80, 28, "取消"});
        return 0;
      case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) finish(true);
        else if (LOWORD(wParam) == IDCANCEL) finish(false);
        return 0;
      case WM_CLOSE:
        finish(false);
        return 0;
    }
    return defaultHandling(message, wParam, lParam);
  }

 private:
  void finish(bool accepted) {
    accepted_ = accepted;
    if (accepted) answer_ = text_.text();
    done_ = true;
  }

  std::vector<HWND> disableOtherWindows() {
    struct Collect {
      HWND self;
      std::vector<HWND> windows;
    } collect{hwnd(), {}};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM param) -> BOOL {
          auto* c = reinterpret_cast<Collect*>(param);
          if (window != c->self && IsWindowEnabled(window) && IsWindowVisible(window)) c->windows.push_back(window);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&collect));
    for (HWND window : collect.windows) EnableWindow(window, FALSE);
    return collect.windows;
  }

  std::string prompt_, initial_, answer_;
  bool done_ = false, accepted_ = false;
  wingui::Label label_;
  wingui::EditBox text_;
  wingui::Button ok_, cancel_;
};

}  // namespace

std::string askTextInBox(const std::string& prompt, const std::string& caption, const std::string& initialText) {
  InputBox box(prompt, initialText);
  return box.run(caption);
}

}  // namespace tl::shell
