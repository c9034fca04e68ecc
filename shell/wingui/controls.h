#pragma once
// Thin wrappers over the common controls, one per control kind: a small
// create-arguments struct and callbacks, so that a window's file reads as
// layout plus wiring. Texts are GBK; the wrappers convert them to UTF-16.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tl::wingui {

struct ControlArgs {
  HWND parent = nullptr;
  int id = 0;
  int x = 0, y = 0, width = 0, height = 0;
  std::string text;  // GBK
};

// Creates a child control in the system's default GUI font.
HWND createControl(const wchar_t* className, DWORD style, DWORD exStyle, const ControlArgs& args);

void setWindowText(HWND hwnd, const std::string& gbk);
std::string windowText(HWND hwnd);

class Button {
 public:
  void create(const ControlArgs& args);
  // WM_COMMAND of the parent; true when it was this button's click.
  bool handleCommand(WPARAM wParam, LPARAM lParam);
  HWND hwnd() const { return hwnd_; }
  void setText(const std::string& gbk) { setWindowText(hwnd_, gbk); }
  std::string text() const { return windowText(hwnd_); }

  std::function<void()> onClick;

 private:
  HWND hwnd_ = nullptr;
};

class Label {
 public:
  void create(const ControlArgs& args);
  void setText(const std::string& gbk) { setWindowText(hwnd_, gbk); }
  HWND hwnd() const { return hwnd_; }

 private:
  HWND hwnd_ = nullptr;
};

class EditBox {
 public:
  struct Style {
    bool multiLine = false;
    bool readOnly = false;
  };
  void create(const ControlArgs& args, Style style);
  void setText(const std::string& gbk) { setWindowText(hwnd_, gbk); }
  std::string text() const { return windowText(hwnd_); }
  HWND hwnd() const { return hwnd_; }

 private:
  HWND hwnd_ = nullptr;
};

class StatusBar {
 public:
  // Docked along the parent's bottom edge; `rightEdges` one per part.
  void create(HWND parent, int id, const std::vector<int>& rightEdges);
  void setText(int part, const std::string& gbk);
  HWND hwnd() const { return hwnd_; }

 private:
  HWND hwnd_ = nullptr;
};

class PopupMenu {
 public:
  PopupMenu() = default;
  PopupMenu(const PopupMenu&) = delete;
  PopupMenu& operator=(const PopupMenu&) = delete;
  ~PopupMenu();
  void addItem(int id, const std::string& gbk);
  void setEnabled(int id, bool enabled);
  bool isEnabled(int id) const;
  // Opens with its top-left corner at (x, y) in screen coordinates, either
  // mouse button operates it; returns the chosen id once the menu has closed,
  // 0 when it was dismissed.
  int track(HWND owner, int x, int y);

 private:
  HMENU menu_ = nullptr;
};

}  // namespace tl::wingui
