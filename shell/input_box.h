#pragma once
// A modal input box built in code: a prompt, a text box, OK and Cancel. It
// blocks every other window of the tool until it is closed.
#include <string>

namespace tl::shell {

// The text typed, or the empty text when the operator cancels.
std::string askTextInBox(const std::string& prompt, const std::string& caption, const std::string& initialText);

}  // namespace tl::shell
