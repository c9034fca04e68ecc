#pragma once
// The texts of the edit dialog in each of its two modes, so that the window
// only copies them into its controls. The dialog keeps no mode variable: its
// title is the mode, and the mode button's caption names the other mode.
#include <optional>
#include <string>

#include "editing/rename.h"

namespace tl {

struct EditDialogTexts {
  const char* title;
  const char* firstLabel;
  const char* secondLabel;
  const char* modeButton;  // names the other mode
};

const EditDialogTexts& editDialogTexts(RenameMode mode);

// The apply button: the mode the dialog's title names, nullopt for any other
// title (apply then changes nothing).
std::optional<RenameMode> renameModeFromTitle(const std::string& title);

// The mode button: its caption "修改IP段" switches to IP-segment mode, any
// other caption to prefix mode. The window empties both text boxes after.
RenameMode modeAfterSwitch(const std::string& modeButtonCaption);

inline constexpr const char* kEditDialogApplyCaption = "修改";
inline constexpr const char* kEditDialogHelpText =
    "修改帮助 \r\n\r\n修改计算机名 \r\n\r\n例pc001 请输入前缀pc及要修改的前缀 \r\n\r\n修改ip段 \r\n\r\n"
    "例192.168.0.1 请输入192.168.0.及要修改的ip段 \r\n";

// The edit menu's items, in order.
inline constexpr const char* kEditMenuPrefixItem = "修改计算机名前缀";
inline constexpr const char* kEditMenuIpItem = "修改ip段";

}  // namespace tl
