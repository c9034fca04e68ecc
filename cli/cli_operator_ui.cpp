#include "cli/cli_operator_ui.h"

#include <ostream>

#include "platform/shell_folders.h"
#include "platform/text_codec.h"

namespace tl::cli {

const char* iconName(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information: return "information";
    case MessageIcon::Exclamation: return "exclamation";
    case MessageIcon::Error: return "error";
    case MessageIcon::Question: return "question";
    case MessageIcon::None: break;
  }
  return "none";
}

MessageAnswer CliOperatorUi::showMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                                         MessageButtons buttons) {
  messages_.push_back({caption, icon, text});
  if (printMessages_) print(text);
  if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  return answerYes_ ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

std::string CliOperatorUi::askText(const std::string&, const std::string&, const std::string&) {
  return inputText_;
}

std::optional<std::string> CliOperatorUi::chooseFileToOpen(const OpenFileRequest&) {
  fileDialogRequested_ = true;
  return std::nullopt;
}

std::string CliOperatorUi::desktopFolder() { return platform::desktopDirectory(); }

void CliOperatorUi::note(const std::string& gbkText) {
  notes_.push_back(gbkText);
  print(gbkText);
}

void CliOperatorUi::print(const std::string& gbkText) {
  std::string line = platform::gbkToUtf8(gbkText);
  std::erase(line, '\r');
  err_ << line << '\n';
}

}  // namespace tl::cli
