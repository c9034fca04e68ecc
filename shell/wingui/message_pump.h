#pragma once
// The window thread's message loop, shared by the main loop and the pumping
// during long reads and sorts (the modal input box runs a loop of its own).
// It knows the non-modal dialogs so that Tab and Esc work in them.
#include <windows.h>

#include <vector>

namespace tl::wingui {

class MessagePump {
 public:
  void addDialog(HWND dialog);
  void removeDialog(HWND dialog);

  // Until WM_QUIT; returns its exit code.
  int run();
  // Handles what is queued and returns. A WM_QUIT met here is posted again
  // for the main loop.
  void processPending();

 private:
  void dispatch(MSG& message);
  std::vector<HWND> dialogs_;
};

}  // namespace tl::wingui
