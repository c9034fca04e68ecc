#pragma once
// The classic common open-file dialog (the Vista one is incomplete under
// Wine), placed at 800 x 600 centred on the screen by the dialog sizer.
#include <windows.h>

#include <optional>
#include <string>

#include "core/operator_ui.h"

namespace tl::shell {

// The chosen path (GBK), or nullopt when the operator cancels.
std::optional<std::string> showOpenFileDialog(HWND owner, const OpenFileRequest& request);

// The filter string of OPENFILENAME: "描述|*.ext" pairs, or a bare pattern
// that serves as its own description.
std::wstring openFileFilter(const std::string& filter);

}  // namespace tl::shell
