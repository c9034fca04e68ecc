#include "cli/cli_operator_ui.h"

#include <ostream>
#include <utility>

#include "cli/terminal_text.h"
#include "platform/shell_folders.h"

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
  messages_.push_back({caption, icon, text, std::exchange(pendingDetail_, {})});
  if (printMessages_) {
    printLines(text);
    if (!messages_.back().detail.empty()) printLines(messages_.back().detail);
  }
  if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  return answerYes_ ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

std::string CliOperatorUi::askText(const std::string&, const std::string&, const std::string&) {
  return inputText_;
}

// There is no dialog on the command line: the operator cancels it.
std::optional<std::string> CliOperatorUi::chooseFileToOpen(const OpenFileRequest&) { return std::nullopt; }

std::string CliOperatorUi::desktopFolder() { return platform::desktopDirectory(); }

void CliOperatorUi::failureCause(const std::string& path, const std::string& reason) {
  pendingDetail_ = path + ": " + reason;
}

void CliOperatorUi::note(const std::string& gbkText) {
  notes_.push_back(gbkText);
  printLines(gbkText);
  if (!pendingDetail_.empty()) {
    notes_.push_back(pendingDetail_);
    printLines(std::exchange(pendingDetail_, {}));
  }
}

void CliOperatorUi::printLines(const std::string& gbkText) {
  std::string text = gbkText;
  std::erase(text, '\r');  // the message boxes' CR LF
  size_t start = 0;
  for (;;) {
    size_t end = text.find('\n', start);
    err_ << terminalText(std::string_view(text).substr(start, end - start)).utf8 << '\n';
    if (end == std::string::npos) break;
    start = end + 1;
  }
}

}  // namespace tl::cli
