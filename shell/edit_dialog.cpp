#include "shell/edit_dialog.h"

#include <optional>

namespace tl::shell {
namespace {

enum ControlId { kFirstLabel = 301, kCurrentText, kSecondLabel, kNewText, kModeButton, kApplyButton, kHelpBox };

}  // namespace

void EditDialog::openIn(RenameMode mode) {
  if (!hwnd()) {
    if (!createWindow({L"TinglanEditDialog", std::string(editDialogTexts(mode).title),
                       WS_POPUP | WS_CAPTION | WS_SYSMENU, 313, 311}))
      return;
    pump_.addDialog(hwnd());
  }
  setMode(mode);
  ShowWindow(hwnd(), SW_SHOWNORMAL);
  SetForegroundWindow(hwnd());
}

LRESULT EditDialog::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      HWND self = hwnd();
      firstLabel_.create({self, kFirstLabel, 0, 24, 72, 24, ""});
      currentText_.create({self, kCurrentText, 80, 24, 200, 24, ""}, {});
      secondLabel_.create({self, kSecondLabel, 0, 72, 72, 24, ""});
      newText_.create({self, kNewText, 80, 72, 200, 24, ""}, {});
      modeButton_.create({self, kModeButton, 8, 104, 80, 32, ""});
      applyButton_.create({self, kApplyButton, 216, 104, 80, 32, kEditDialogApplyCaption});
      help_.create({self, kHelpBox, 0, 144, 304, 128, kEditDialogHelpText}, {.multiLine = true, .readOnly = true});
      modeButton_.onClick = [this] { switchMode(); };
      applyButton_.onClick = [this] { apply(); };
      return 0;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) {  // Esc, through the message pump's dialog handling
        DestroyWindow(hwnd());
        return 0;
      }
      if (modeButton_.handleCommand(wParam, lParam) || applyButton_.handleCommand(wParam, lParam)) return 0;
      break;
    case WM_CLOSE:
      DestroyWindow(hwnd());
      return 0;
    case WM_DESTROY:
      pump_.removeDialog(hwnd());
      return 0;
  }
  return defaultHandling(message, wParam, lParam);
}

void EditDialog::setMode(RenameMode mode) {
  const EditDialogTexts& texts = editDialogTexts(mode);
  wingui::setWindowText(hwnd(), std::string(texts.title));
  firstLabel_.setText(std::string(texts.firstLabel));
  secondLabel_.setText(std::string(texts.secondLabel));
  modeButton_.setText(std::string(texts.modeButton));
}

void EditDialog::switchMode() {
  setMode(modeAfterSwitch(modeButton_.text()));
  currentText_.setText("");
  newText_.setText("");
}

void EditDialog::apply() {
  std::optional<RenameMode> mode = renameModeFromTitle(wingui::windowText(hwnd()));
  if (mode && onApply_) onApply_(*mode, currentText_.text(), newText_.text());
}

}  // namespace tl::shell
