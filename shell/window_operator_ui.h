#pragma once
// The window program's OperatorUi: task-modal message boxes without owner,
// the input box, the classic open-file dialog placed by the dialog sizer,
// and the pumping of messages during long reads and sorts.
#include <windows.h>

#include "core/operator_ui.h"
#include "shell/wingui/message_pump.h"

namespace tl::shell {

class WindowOperatorUi : public OperatorUi {
 public:
  explicit WindowOperatorUi(wingui::MessagePump& pump) : pump_(pump) {}
  // The owner of the open-file dialog.
  void setMainWindow(HWND window) { mainWindow_ = window; }

  MessageAnswer showMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                            MessageButtons buttons) override;
  std::string askText(const std::string& prompt, const std::string& caption,
                      const std::string& initialText) override;
  std::optional<std::string> chooseFileToOpen(const OpenFileRequest& request) override;
  std::string desktopFolder() override;
  void processPendingMessages() override;

 private:
  wingui::MessagePump& pump_;
  HWND mainWindow_ = nullptr;
  ULONGLONG lastPump_ = 0;
};

}  // namespace tl::shell
