#pragma once
// A recording stand-in for the window: keeps every message box, answers
// questions and dialogs from scripted values.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/operator_ui.h"

namespace tl::test {

struct ShownMessage {
  std::string text;
  std::string caption;
  MessageIcon icon;
  MessageButtons buttons;
};

class FakeOperatorUi : public OperatorUi {
 public:
  MessageAnswer showMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                            MessageButtons buttons) override {
    messages.push_back({text, caption, icon, buttons});
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    if (answers.empty()) return MessageAnswer::Cancel;
    MessageAnswer a = answers.front();
    answers.pop_front();
    return a;
  }
  std::string askText(const std::string& prompt, const std::string& caption, const std::string& initial) override {
    prompts.push_back(prompt);
    return inputText;
  }
  std::optional<std::string> chooseFileToOpen(const OpenFileRequest& request) override {
    dialogs.push_back(request);
    return chosenFile;
  }
  std::string desktopFolder() override { return desktop; }
  void processPendingMessages() override { ++pumps; }

  std::vector<ShownMessage> messages;
  std::deque<MessageAnswer> answers;  // for OK/Cancel questions, in order
  std::string inputText;
  std::vector<std::string> prompts;
  std::vector<OpenFileRequest> dialogs;
  std::optional<std::string> chosenFile;
  std::string desktop;
  int pumps = 0;
};

}  // namespace tl::test
