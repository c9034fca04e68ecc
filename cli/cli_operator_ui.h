#pragma once
// The command line's stand-in for the window: every message box is recorded
// (for --json) and printed to standard error, questions are answered from the
// options, and dialogs that need a person fail with a clear word.
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "core/operator_ui.h"

namespace tl::cli {

struct RecordedMessage {
  std::string caption;  // GBK
  MessageIcon icon;
  std::string text;  // GBK
};

class CliOperatorUi : public OperatorUi {
 public:
  explicit CliOperatorUi(std::ostream& err) : err_(err) {}

  MessageAnswer showMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                            MessageButtons buttons) override;
  std::string askText(const std::string& prompt, const std::string& caption,
                      const std::string& initialText) override;
  std::optional<std::string> chooseFileToOpen(const OpenFileRequest& request) override;
  std::string desktopFolder() override;
  void processPendingMessages() override {}

  // --yes: a question is answered with OK.
  void setAnswerQuestionsYes(bool yes) { answerYes_ = yes; }
  // --json: messages are collected for the JSON object instead of printed.
  void setPrintMessages(bool print) { printMessages_ = print; }
  // --template: the text the input box yields.
  void setInputText(std::string text) { inputText_ = std::move(text); }

  const std::vector<RecordedMessage>& messages() const { return messages_; }
  // Set when the window would have shown a file dialog.
  bool fileDialogRequested() const { return fileDialogRequested_; }

  // A line of our own on standard error (UTF-8 conversion included); kept
  // for the JSON object's "notes".
  void note(const std::string& gbkText);
  const std::vector<std::string>& notes() const { return notes_; }

 private:
  void print(const std::string& gbkText);

  std::ostream& err_;
  std::vector<RecordedMessage> messages_;
  std::vector<std::string> notes_;
  bool answerYes_ = false;
  bool printMessages_ = true;
  bool fileDialogRequested_ = false;
  std::string inputText_;
};

const char* iconName(MessageIcon icon);

}  // namespace tl::cli
