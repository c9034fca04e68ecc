// Drives the running window program from outside, as an operator would, for
// the end-to-end test. Its argument names a UTF-8 file with one step a line
// (a file, because Wine decodes a command line by the host's locale); a step that fails prints
// "FAIL ..." and ends the driver with exit code 1. Output is UTF-8.
//
// Wine does not copy the pointer arguments of LVM_* and SB_* messages
// between processes, so the buffers those messages fill are placed in the
// program's own memory (VirtualAllocEx) and read back from there.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

const wchar_t* const kMainTitle = L"汀澜客户机列表转换工具";
DWORD gTimeoutMs = 20000;

std::string utf8(const std::wstring& wide) {
  if (wide.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string out(size_t(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), out.data(), n, nullptr, nullptr);
  return out;
}

void say(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

[[noreturn]] void fail(const std::wstring& what) {
  say("FAIL " + utf8(what));
  std::exit(1);
}

template <typename Condition>
bool waitFor(Condition condition) {
  DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > gTimeoutMs) return false;
    Sleep(20);
  }
  return true;
}

std::wstring windowText(HWND hwnd) {
  wchar_t buffer[4096] = {};
  SendMessageTimeoutW(hwnd, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 5000, nullptr);
  return buffer;
}

// The shown main window. A program that is still in its creation handler
// (the update check) or that ends at once after an update has a main window
// that is never shown: it does not count.
HWND mainWindow() {
  for (HWND window = FindWindowExW(nullptr, nullptr, L"TinglanListConverter", kMainTitle); window;
       window = FindWindowExW(nullptr, window, L"TinglanListConverter", kMainTitle))
    if (IsWindowVisible(window)) return window;
  return nullptr;
}

HWND requireMain() {
  HWND main = nullptr;
  if (!waitFor([&] { return (main = mainWindow()) != nullptr; })) fail(L"main window not found");
  return main;
}

HWND childOfClass(HWND parent, const wchar_t* className) {
  return FindWindowExW(parent, nullptr, className, nullptr);
}

// Memory inside the window program for the messages that carry pointers.
class RemoteBuffer {
 public:
  RemoteBuffer(HWND window, size_t size) : size_(size) {
    // Right after start-up the window can be seen a moment before its
    // process can be opened: try again for a while.
    DWORD pid = 0;
    for (int attempt = 0; attempt < 20 && !process_; ++attempt) {
      GetWindowThreadProcessId(window, &pid);
      process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
      if (!process_) Sleep(50);
    }
    if (process_) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  ~RemoteBuffer() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  bool ok() const { return address_ != nullptr; }
  void* address() const { return address_; }
  char* at(size_t offset) const { return static_cast<char*>(address_) + offset; }
  void write(size_t offset, const void* data, size_t size) {
    WriteProcessMemory(process_, at(offset), data, size, nullptr);
  }
  void read(size_t offset, void* data, size_t size) { ReadProcessMemory(process_, at(offset), data, size, nullptr); }

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
  size_t size_;
};

HWND listView(HWND main) { return childOfClass(main, WC_LISTVIEWW); }
HWND statusBar(HWND main) { return childOfClass(main, STATUSCLASSNAMEW); }

std::wstring statusText(HWND main, int part) {
  HWND bar = statusBar(main);
  RemoteBuffer remote(bar, 8192);
  if (!remote.ok()) return L"(unreadable)";
  SendMessageW(bar, SB_GETTEXTW, WPARAM(part), reinterpret_cast<LPARAM>(remote.address()));
  std::wstring text(4096, L'\0');
  remote.read(0, text.data(), 4095 * sizeof(wchar_t));
  text.resize(wcslen(text.c_str()));
  return text;
}

std::wstring cellText(HWND list, RemoteBuffer& remote, int row, int column) {
  constexpr size_t kTextOffset = 256;
  LVITEMW item{};
  item.iSubItem = column;
  item.cchTextMax = 1024;
  item.pszText = reinterpret_cast<LPWSTR>(remote.at(kTextOffset));
  remote.write(0, &item, sizeof(item));
  SendMessageW(list, LVM_GETITEMTEXTW, WPARAM(row), reinterpret_cast<LPARAM>(remote.address()));
  std::wstring text(1024, L'\0');
  remote.read(kTextOffset, text.data(), 1023 * sizeof(wchar_t));
  text.resize(wcslen(text.c_str()));
  return text;
}

int rowCount(HWND main) { return int(SendMessageW(listView(main), LVM_GETITEMCOUNT, 0, 0)); }

// The top-level window of the program with this title and class "#32770"
// (a message box).
HWND findMessageBox(const std::wstring& caption) { return FindWindowW(L"#32770", caption.c_str()); }

// The text of a message box: its static control with id 0xFFFF.
std::wstring messageBoxText(HWND box) {
  HWND text = GetDlgItem(box, 0xFFFF);
  return text ? windowText(text) : std::wstring();
}

HWND buttonWithCaption(HWND parent, const std::wstring& caption) {
  for (HWND child = FindWindowExW(parent, nullptr, L"Button", nullptr); child;
       child = FindWindowExW(parent, child, L"Button", nullptr))
    if (windowText(child) == caption) return child;
  return nullptr;
}

int toInt(const std::wstring& text) { return _wtoi(text.c_str()); }

// Steps are "name" or "name=argument" or "name=a|b".
std::vector<std::wstring> splitArgs(const std::wstring& text) {
  std::vector<std::wstring> parts;
  size_t start = 0;
  for (;;) {
    size_t bar = text.find(L'|', start);
    parts.push_back(text.substr(start, bar - start));
    if (bar == std::wstring::npos) break;
    start = bar + 1;
  }
  return parts;
}

void runStep(const std::wstring& step) {
  size_t equals = step.find(L'=');
  std::wstring name = step.substr(0, equals);
  std::vector<std::wstring> args = equals == std::wstring::npos ? std::vector<std::wstring>{}
                                                                : splitArgs(step.substr(equals + 1));
  auto arg = [&](size_t i) -> const std::wstring& {
    if (i >= args.size()) fail(L"step " + step + L" needs more arguments");
    return args[i];
  };

  if (name == L"timeout") {
    gTimeoutMs = DWORD(toInt(arg(0)));
  } else if (name == L"wait-main") {
    requireMain();
  } else if (name == L"window") {
    // Title and outer size of the main window.
    HWND main = requireMain();
    RECT rect{};
    GetWindowRect(main, &rect);
    LONG style = GetWindowLongW(main, GWL_STYLE);
    say("window " + utf8(windowText(main)) + " " + std::to_string(rect.right - rect.left) + "x" +
        std::to_string(rect.bottom - rect.top) + (style & WS_MAXIMIZEBOX ? " maximizable" : " fixed"));
  } else if (name == L"wait-status") {
    // wait-status=part|text: until the status field reads that text.
    // The window is looked up again each time: the one seen first may be
    // gone (Wine can show a window of a process that is ending).
    int part = toInt(arg(0));
    if (!waitFor([&] { return statusText(requireMain(), part) == arg(1); }))
      fail(L"status field " + arg(0) + L" reads \"" + statusText(requireMain(), part) + L"\", not \"" + arg(1) + L"\"");
  } else if (name == L"wait-rows") {
    // wait-rows=n: until the grid shows n rows; prints the milliseconds.
    HWND main = requireMain();
    int want = toInt(arg(0));
    DWORD start = GetTickCount();
    if (!waitFor([&] { return rowCount(main) == want; }))
      fail(L"the grid shows " + std::to_wstring(rowCount(main)) + L" rows, not " + arg(0));
    say("rows-shown " + std::to_string(want) + " after " + std::to_string(GetTickCount() - start) + " ms");
  } else if (name == L"status") {
    HWND main = requireMain();
    for (int part = 0; part < 3; ++part) say("status " + std::to_string(part) + " " + utf8(statusText(main, part)));
  } else if (name == L"rows") {
    // rows or rows=n: every row (or the first n) as tab-separated cells.
    HWND main = requireMain();
    HWND list = listView(main);
    int count = rowCount(main);
    int limit = args.empty() ? count : std::min(count, toInt(arg(0)));
    say("rows " + std::to_string(count));
    RemoteBuffer remote(list, 4096);
    if (!remote.ok()) fail(L"cannot read the grid");
    for (int row = 0; row < limit; ++row) {
      std::string line = "row";
      for (int column = 0; column < 8; ++column) {
        line += '\t';
        line += utf8(cellText(list, remote, row, column));
      }
      say(line);
    }
  } else if (name == L"wait-column") {
    // wait-column=column|text|text|...: until the grid has exactly as many
    // rows as texts and that column reads them from the top. Header clicks
    // and the edit dialog are posted, so their effect is awaited this way.
    HWND main = requireMain();
    HWND list = listView(main);
    int column = toInt(arg(0));
    std::vector<std::wstring> want(args.begin() + 1, args.end());
    RemoteBuffer remote(list, 4096);
    if (!remote.ok()) fail(L"cannot read the grid");
    std::wstring seen;
    auto matches = [&] {
      seen.clear();
      int count = rowCount(main);
      for (int row = 0; row < count; ++row) seen += (row ? L"|" : L"") + cellText(list, remote, row, column);
      if (count != int(want.size())) return false;
      for (int row = 0; row < count; ++row)
        if (cellText(list, remote, row, column) != want[size_t(row)]) return false;
      return true;
    };
    if (!waitFor(matches)) fail(L"column " + arg(0) + L" reads " + seen);
  } else if (name == L"click") {
    // click=caption: a button of the main window; posted, since it may open a
    // message box that waits for an answer.
    HWND main = requireMain();
    HWND button = buttonWithCaption(main, arg(0));
    if (!button) fail(L"no button " + arg(0));
    PostMessageW(button, BM_CLICK, 0, 0);
  } else if (name == L"header") {
    // header=column: a left click in the middle of that column's header.
    HWND list = listView(requireMain());
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    int column = toInt(arg(0));
    int x = 0;
    for (int c = 0; c < column; ++c) x += int(SendMessageW(list, LVM_GETCOLUMNWIDTH, WPARAM(c), 0));
    x += int(SendMessageW(list, LVM_GETCOLUMNWIDTH, WPARAM(column), 0)) / 2;
    LPARAM at = MAKELPARAM(x, 8);
    PostMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(header, WM_LBUTTONUP, 0, at);
  } else if (name == L"command") {
    // command=id: a popup menu item chosen (menus send WM_COMMAND).
    PostMessageW(requireMain(), WM_COMMAND, WPARAM(toInt(arg(0))), 0);
  } else if (name == L"answer") {
    // answer=caption[|OK or Cancel]: prints the message box's text and closes
    // it with that button (the box must have it), or with OK when none is named.
    // A box is found before its dialog procedure has set its text; it is
    // shown once that is done.
    HWND box = nullptr;
    if (!waitFor([&] { return (box = findMessageBox(arg(0))) != nullptr && IsWindowVisible(box); }))
      fail(L"no message box " + arg(0));
    say("message " + utf8(arg(0)) + ": " + utf8(messageBoxText(box)));
    int id = IDOK;
    if (args.size() > 1) {
      if (args[1] == L"Cancel") id = IDCANCEL;
      else if (args[1] != L"OK") fail(L"answer with OK or Cancel, not " + args[1]);
      if (!GetDlgItem(box, id)) fail(L"the message box has no " + args[1] + L" button");
    }
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    if (!waitFor([&] { return !IsWindow(box); })) fail(L"message box stays open");
  } else if (name == L"no-message") {
    // no-message=caption: none is shown within half a second.
    Sleep(500);
    if (HWND box = findMessageBox(arg(0))) fail(L"unexpected message: " + messageBoxText(box));
  } else if (name == L"dialog") {
    // dialog=title: prints the edit dialog's size, labels and buttons.
    HWND dialog = nullptr;
    if (!waitFor([&] { return (dialog = FindWindowW(L"TinglanEditDialog", arg(0).c_str())) != nullptr; }))
      fail(L"no dialog " + arg(0));
    RECT rect{};
    GetWindowRect(dialog, &rect);
    std::string line = "dialog " + utf8(windowText(dialog)) + " " + std::to_string(rect.right - rect.left) + "x" +
                       std::to_string(rect.bottom - rect.top);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      wchar_t className[64] = {};
      GetClassNameW(child, className, 64);
      if (!wcsicmp(className, L"Static") || !wcsicmp(className, L"Button"))
        line += " [" + utf8(windowText(child)) + "]";
    }
    say(line);
  } else if (name == L"dialog-click") {
    // dialog-click=title|caption
    HWND dialog = FindWindowW(L"TinglanEditDialog", arg(0).c_str());
    HWND button = dialog ? buttonWithCaption(dialog, arg(1)) : nullptr;
    if (!button) fail(L"no button " + arg(1) + L" in " + arg(0));
    PostMessageW(button, BM_CLICK, 0, 0);
  } else if (name == L"dialog-type") {
    // dialog-type=title|current text|new text
    HWND dialog = FindWindowW(L"TinglanEditDialog", arg(0).c_str());
    if (!dialog) fail(L"no dialog " + arg(0));
    HWND first = FindWindowExW(dialog, nullptr, L"Edit", nullptr);
    HWND second = first ? FindWindowExW(dialog, first, L"Edit", nullptr) : nullptr;
    if (!second) fail(L"text boxes missing");
    SendMessageW(first, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(arg(1).c_str()));
    SendMessageW(second, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(arg(2).c_str()));
  } else if (name == L"dialog-esc") {
    // Esc pressed in the dialog's first text box.
    HWND dialog = FindWindowW(L"TinglanEditDialog", arg(0).c_str());
    HWND box = dialog ? FindWindowExW(dialog, nullptr, L"Edit", nullptr) : nullptr;
    if (!box) fail(L"no dialog " + arg(0));
    PostMessageW(box, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageW(box, WM_KEYUP, VK_ESCAPE, 0xC0010001);
    if (!waitFor([&] { return !IsWindow(dialog); })) fail(L"Esc did not close the dialog");
    say("dialog closed by Esc");
  } else if (name == L"main-esc") {
    // Esc in the grid does not close the main window.
    HWND main = requireMain();
    PostMessageW(listView(main), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    Sleep(300);
    if (!IsWindow(main)) fail(L"Esc closed the main window");
  } else if (name == L"menu-escape") {
    // A popup menu is open: Esc closes it without choosing.
    HWND menu = nullptr;
    if (!waitFor([&] { return (menu = FindWindowW(L"#32768", nullptr)) != nullptr && IsWindowVisible(menu); }))
      fail(L"no popup menu");
    say("menu shown");
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    if (!waitFor([&] { return !IsWindowVisible(menu); })) fail(L"the menu stays open");
  } else if (name == L"close") {
    HWND main = requireMain();
    PostMessageW(main, WM_CLOSE, 0, 0);
    if (!waitFor([&] { return mainWindow() == nullptr; })) fail(L"the main window stays open");
  } else if (name == L"sleep") {
    Sleep(DWORD(toInt(arg(0))));
  } else {
    fail(L"unknown step " + step);
  }
}

}  // namespace

std::vector<std::wstring> readSteps(const wchar_t* path) {
  HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) fail(L"cannot read the steps file");
  std::string bytes;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof(chunk), &got, nullptr) && got > 0) bytes.append(chunk, got);
  CloseHandle(file);
  std::wstring text(bytes.size(), L'\0');
  text.resize(size_t(MultiByteToWideChar(CP_UTF8, 0, bytes.data(), int(bytes.size()), text.data(), int(text.size()))));
  std::vector<std::wstring> steps;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    std::wstring line = text.substr(start, end - start);
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    if (!line.empty()) steps.push_back(line);
    start = end + 1;
  }
  return steps;
}

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) fail(L"usage: window_driver STEPS-FILE");
  for (const std::wstring& step : readSteps(argv[1])) runStep(step);
  say("OK");
  return 0;
}
