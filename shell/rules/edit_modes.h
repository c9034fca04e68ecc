#pragma once
// The edit dialog's two modes. The dialog keeps no mode variable: its title
// is the mode, and the mode button names the other mode.
#include <optional>
#include <string>
#include <string_view>

namespace tl::shell {

enum class EditMode { NamePrefix, IpSegment };

struct EditModeTexts {
  std::string_view title;
  std::string_view firstLabel;
  std::string_view secondLabel;
  std::string_view modeButton;  // names the other mode
};

const EditModeTexts& textsFor(EditMode mode);

// The mode an apply runs in, read from the dialog's title; none for any
// other title.
std::optional<EditMode> modeForTitle(const std::string& title);

// The mode button switches to the mode its caption names.
EditMode modeAfterSwitch(const std::string& modeButtonCaption);

}  // namespace tl::shell
