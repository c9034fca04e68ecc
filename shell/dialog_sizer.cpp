#include "shell/dialog_sizer.h"

#include "shell/rules/operator_actions.h"

namespace tl::shell {
namespace {

constexpr int kDialogWidth = 800;
constexpr int kDialogHeight = 600;

}  // namespace

DialogSizer::DialogSizer(std::wstring dialogTitle) : title_(std::move(dialogTitle)) {
  thread_ = CreateThread(nullptr, 0, &DialogSizer::threadMain, this, 0, nullptr);
}

DialogSizer::~DialogSizer() {
  if (!thread_) return;
  stop_ = true;
  // The thread may be inside SetWindowPos, which waits for this thread to
  // handle the messages it sends: keep handling sent messages while waiting.
  while (MsgWaitForMultipleObjects(1, &thread_, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
  CloseHandle(thread_);
}

DWORD WINAPI DialogSizer::threadMain(void* param) {
  auto* self = static_cast<DialogSizer*>(param);
  while (!self->stop_) {
    if (HWND dialog = FindWindowW(L"#32770", self->title_.c_str())) {
      Placement at = centredOnScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), kDialogWidth,
                                     kDialogHeight);
      SetWindowPos(dialog, nullptr, at.left, at.top, kDialogWidth, kDialogHeight, SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    // A short pause instead of a busy loop: the dialog takes a moment to
    // appear, and the CPU is better spent building it.
    Sleep(5);
  }
  return 0;
}

}  // namespace tl::shell
