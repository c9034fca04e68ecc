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
  std::string text;    // GBK
  std::string detail;  // GBK: the path and the system's reason, when known
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
  // Kept for the next message box or note, and printed on the line after it.
  void failureCause(const std::string& path, const std::string& reason) override;

  // --yes: a question is answered with OK.
  void setAnswerQuestionsYes(bool yes) { answerYes_ = yes; }
  // --json: messages are collected for the JSON object instead of printed.
  void setPrintMessages(bool print) { printMessages_ = print; }
  // --template: the text the input box yields.
  void setInputText(std::string text) { inputText_ = std::move(text); }

  const std::vector<RecordedMessage>& messages() const { return messages_; }
  // The lines of our own (note), GBK, for the JSON object's "notes".
  const std::vector<std::string>& notes() const { return notes_; }

  // A line of our own on standard error (UTF-8 conversion included), also
  // kept for the JSON object.
  void note(const std::string& gbkText);

 private:
  // GBK to UTF-8, each line safe for a terminal.
  void printLines(const std::string& gbkText);

  std::ostream& err_;
  std::vector<RecordedMessage> messages_;
  std::vector<std::string> notes_;
  std::string pendingDetail_;
  bool answerYes_ = false;
  bool printMessages_ = true;
  std::string inputText_;
};

const char* iconName(MessageIcon icon);

}  // namespace tl::cli
