#include "shell/application.h"

#include <ole2.h>

#include "platform/file_system.h"
#include "platform/signature_verifier.h"
#include "platform/update_environment.h"
#include "shell/file_drop_target.h"
#include "shell/process_privilege.h"
#include "update/update_check.h"

namespace tl::shell {

Application::Application()
    : ui_(pump_),
      ini_(platform::makeSystemIniFiles()),
      network_(platform::makeSystemLocalNetwork()),
      processes_(platform::makeSystemProcesses()),
      services_(platform::makeSystemServiceControl()),
      converter_(PlatformServices{ui_, *ini_, *network_, *processes_, *services_}),
      window_(converter_, pump_) {}

Application::~Application() {
  if (oleReady_) OleUninitialize();
}

int Application::run(const std::string& startPaths, int showCommand, const update::UpdateSettings& updateSettings) {
  updateSettings_ = updateSettings;
  // OLE drag and drop needs a single-threaded apartment on the window thread.
  oleReady_ = SUCCEEDED(OleInitialize(nullptr));
  if (!window_.create([this] { mainWindowCreated(); }, [this] { mainWindowDestroyed(); })) return 1;
  ui_.setMainWindow(window_.hwnd());
  // A program that has just started its newer self ends without showing.
  if (endAtOnce_) {
    DestroyWindow(window_.hwnd());
    return 0;
  }
  window_.show(showCommand);
  if (!startPaths.empty()) window_.queueDroppedText(startPaths);
  return pump_.run();
}

void Application::mainWindowCreated() {
  platform::deleteFile(update::leftOverPath(platform::programPath()));
  if (updateReplacedProgram()) {
    endAtOnce_ = true;
    return;
  }
  enableDebugPrivilege();
  if (oleReady_) {
    dropTarget_ = new FileDropTarget([this](const std::string& text) { window_.queueDroppedText(text); });
    if (FAILED(RegisterDragDrop(window_.hwnd(), dropTarget_))) {
      dropTarget_->Release();
      dropTarget_ = nullptr;
    }
  }
}

bool Application::updateReplacedProgram() {
  std::unique_ptr<update::UpdateEnvironment> environment = platform::makeSystemUpdateEnvironment();
  std::unique_ptr<update::SignatureVerifier> verifier = platform::makeSystemSignatureVerifier();
  return update::runUpdateCheck(*environment, *verifier, ui_, updateSettings_) == update::UpdateOutcome::Restarting;
}

void Application::mainWindowDestroyed() {
  if (!dropTarget_) return;
  RevokeDragDrop(window_.hwnd());
  dropTarget_->Release();
  dropTarget_ = nullptr;
}

}  // namespace tl::shell
