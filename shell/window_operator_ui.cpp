#include "shell/window_operator_ui.h"

#include "platform/shell_folders.h"
#include "platform/wide_text_win.h"
#include "shell/input_box.h"
#include "shell/open_file_dialog.h"

namespace tl::shell {
namespace {

UINT iconFlag(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information: return MB_ICONINFORMATION;
    case MessageIcon::Exclamation: return MB_ICONEXCLAMATION;
    case MessageIcon::Error: return MB_ICONERROR;
    case MessageIcon::Question: return MB_ICONQUESTION;
    case MessageIcon::None: break;
  }
  return 0;
}

// A read pumps after every row; pumping at most this often keeps the window
// responsive without a round of the message queue per row.
constexpr ULONGLONG kPumpIntervalMs = 20;

}  // namespace

MessageAnswer WindowOperatorUi::showMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                                            MessageButtons buttons) {
  UINT flags = MB_TASKMODAL | iconFlag(icon) | (buttons == MessageButtons::OkCancel ? MB_OKCANCEL : MB_OK);
  int answer = MessageBoxW(nullptr, platform::gbkToWide(text).c_str(), platform::gbkToWide(caption).c_str(), flags);
  return answer == IDOK ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

std::string WindowOperatorUi::askText(const std::string& prompt, const std::string& caption,
                                      const std::string& initialText) {
  return askTextInBox(prompt, caption, initialText);
}

std::optional<std::string> WindowOperatorUi::chooseFileToOpen(const OpenFileRequest& request) {
  return showOpenFileDialog(mainWindow_, request);
}

std::string WindowOperatorUi::desktopFolder() { return platform::desktopDirectory(); }

void WindowOperatorUi::processPendingMessages() {
  ULONGLONG now = GetTickCount64();
  if (now - lastPump_ < kPumpIntervalMs) return;
  lastPump_ = now;
  pump_.processPending();
}

}  // namespace tl::shell
