#pragma once
// What the core asks of whoever stands in front of it: the window, the
// command line, or a recording fake in the tests. All texts are GBK.
#include <optional>
#include <string>

namespace tl {

enum class MessageIcon { None, Information, Exclamation, Error, Question };
enum class MessageButtons { Ok, OkCancel };
enum class MessageAnswer { Ok, Cancel };

struct OpenFileRequest {
  std::string title;
  std::string initialDirectory;
  std::string filter;  // "描述|*.ext" pairs, or a bare pattern such as "*.*"
};

class OperatorUi {
 public:
  virtual ~OperatorUi() = default;

  // A task-modal message box without owner.
  virtual MessageAnswer showMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                                    MessageButtons buttons = MessageButtons::Ok) = 0;

  // A modal input box; Cancel gives the empty text.
  virtual std::string askText(const std::string& prompt, const std::string& caption,
                              const std::string& initialText) = 0;

  // The common open-file dialog; nullopt when the operator cancels.
  virtual std::optional<std::string> chooseFileToOpen(const OpenFileRequest& request) = 0;

  // The current user's desktop folder, or the empty text when unknown.
  virtual std::string desktopFolder() = 0;

  // Lets the window repaint during long reads and sorts.
  virtual void processPendingMessages() = 0;

  // The file and the system's reason behind the failure about to be reported
  // (by the next message box or the type field), where the report's own text
  // is terse. The window shows its texts as they are and ignores this; the
  // command line prints it beside them.
  virtual void failureCause(const std::string& path, const std::string& reason) {}
};

}  // namespace tl
