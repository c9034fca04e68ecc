#include "shell/wingui/message_pump.h"

#include <algorithm>

namespace tl::wingui {

void MessagePump::addDialog(HWND dialog) {
  if (std::find(dialogs_.begin(), dialogs_.end(), dialog) == dialogs_.end()) dialogs_.push_back(dialog);
}

void MessagePump::removeDialog(HWND dialog) { std::erase(dialogs_, dialog); }

int MessagePump::run() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) dispatch(message);
  return int(message.wParam);
}

void MessagePump::processPending() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(int(message.wParam));
      return;
    }
    dispatch(message);
  }
}

void MessagePump::dispatch(MSG& message) {
  for (HWND dialog : dialogs_)
    if (IsWindow(dialog) && IsDialogMessageW(dialog, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

}  // namespace tl::wingui
