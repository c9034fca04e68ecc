#include "shell/wingui/controls.h"

#include <commctrl.h>

#include "shell/wingui/code_page_text.h"

namespace tl::wingui {


HWND createControl(const wchar_t* className, DWORD style, DWORD exStyle, const ControlArgs& args) {
  HWND hwnd = CreateWindowExW(exStyle, className, toWide(args.text).c_str(), style | WS_CHILD | WS_VISIBLE,
                              args.x, args.y, args.width, args.height, args.parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)), GetModuleHandleW(nullptr),
                              nullptr);
  if (hwnd) SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return hwnd;
}

void setWindowText(HWND hwnd, const std::string& gbk) { SetWindowTextW(hwnd, toWide(gbk).c_str()); }

std::string windowText(HWND hwnd) {
  int length = GetWindowTextLengthW(hwnd);
  std::wstring text(size_t(length) + 1, L'\0');
  int got = GetWindowTextW(hwnd, text.data(), length + 1);
  text.resize(size_t(got > 0 ? got : 0));
  return fromWide(text);
}

void Button::create(const ControlArgs& args) {
  hwnd_ = createControl(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, args);
}

bool Button::handleCommand(WPARAM wParam, LPARAM lParam) {
  if (!hwnd_ || reinterpret_cast<HWND>(lParam) != hwnd_ || HIWORD(wParam) != BN_CLICKED) return false;
  if (onClick) onClick();
  return true;
}

void Label::create(const ControlArgs& args) { hwnd_ = createControl(L"STATIC", SS_LEFT, 0, args); }

void EditBox::create(const ControlArgs& args, Style style) {
  DWORD bits = WS_TABSTOP;
  if (style.multiLine) bits |= ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL;
  else bits |= ES_AUTOHSCROLL;
  if (style.readOnly) bits |= ES_READONLY;
  hwnd_ = createControl(L"EDIT", bits, WS_EX_CLIENTEDGE, args);
}

void StatusBar::create(HWND parent, int id, const std::vector<int>& rightEdges) {
  ControlArgs args;
  args.parent = parent;
  args.id = id;
  hwnd_ = createControl(STATUSCLASSNAMEW, 0, 0, args);
  std::vector<int> edges = rightEdges;
  SendMessageW(hwnd_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  SendMessageW(hwnd_, WM_SIZE, 0, 0);
}

void StatusBar::setText(int part, const std::string& gbk) {
  std::wstring text = toWide(gbk);
  SendMessageW(hwnd_, SB_SETTEXTW, WPARAM(part), reinterpret_cast<LPARAM>(text.c_str()));
}

PopupMenu::~PopupMenu() {
  if (menu_) DestroyMenu(menu_);
}

void PopupMenu::addItem(int id, const std::string& gbk) {
  if (!menu_) menu_ = CreatePopupMenu();
  AppendMenuW(menu_, MF_STRING, UINT_PTR(id), toWide(gbk).c_str());
}

void PopupMenu::setEnabled(int id, bool enabled) {
  EnableMenuItem(menu_, UINT(id), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

bool PopupMenu::isEnabled(int id) const {
  UINT state = GetMenuState(menu_, UINT(id), MF_BYCOMMAND);
  return state != UINT(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

int PopupMenu::track(HWND owner, int x, int y) {
  // Without the foreground the menu would not close when the operator clicks
  // elsewhere; the WM_NULL afterwards is the documented companion of that.
  SetForegroundWindow(owner);
  int chosen = int(TrackPopupMenu(menu_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, x, y, 0,
                                  owner, nullptr));
  PostMessageW(owner, WM_NULL, 0, 0);
  return chosen;
}

}  // namespace tl::wingui
