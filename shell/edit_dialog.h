#pragma once
// The non-modal edit dialog of the renaming: no owner, close box only, Esc
// closes it. Its title is its mode.
#include <functional>
#include <string>

#include "editing/edit_dialog_modes.h"
#include "shell/wingui/controls.h"
#include "shell/wingui/message_pump.h"
#include "shell/wingui/top_level_window.h"

namespace tl::shell {

class EditDialog : public wingui::TopLevelWindow {
 public:
  using ApplyHandler = std::function<void(RenameMode mode, const std::string& from, const std::string& to)>;
  EditDialog(wingui::MessagePump& pump, ApplyHandler onApply) : pump_(pump), onApply_(std::move(onApply)) {}

  // Shows the dialog (created and centred when it is not shown) in `mode`;
  // the text boxes keep their contents.
  void openIn(RenameMode mode);

 protected:
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void setMode(RenameMode mode);
  void switchMode();
  void apply();

  wingui::MessagePump& pump_;
  ApplyHandler onApply_;
  wingui::Label firstLabel_, secondLabel_;
  wingui::EditBox currentText_, newText_, help_;
  wingui::Button modeButton_, applyButton_;
};

}  // namespace tl::shell
