#pragma once
// The dialog sizer: a short-lived thread that waits for the open-file dialog
// with the given title, moves and sizes it to 800 x 600 centred on the
// screen, and ends. It touches no data of the program.
#include <windows.h>

#include <atomic>
#include <string>

namespace tl::shell {

class DialogSizer {
 public:
  explicit DialogSizer(std::wstring dialogTitle);
  // Stops the thread if the dialog never appeared, and waits for it.
  ~DialogSizer();
  DialogSizer(const DialogSizer&) = delete;
  DialogSizer& operator=(const DialogSizer&) = delete;

 private:
  static DWORD WINAPI threadMain(void* self);
  std::wstring title_;
  std::atomic<bool> stop_{false};
  HANDLE thread_ = nullptr;
};

}  // namespace tl::shell
