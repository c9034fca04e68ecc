#include "editing/edit_dialog_modes.h"

namespace tl {
namespace {

// The prefix mode's labels end in an ASCII colon, the IP mode's have none.
const EditDialogTexts kPrefixTexts{"修改计算机名前缀", "当前前缀:", "欲修改前缀:", "修改IP段"};
const EditDialogTexts kIpTexts{"修改IP段", "当前IP段", "欲修改IP段", "修改计算机名前缀"};

}  // namespace

const EditDialogTexts& editDialogTexts(RenameMode mode) {
  return mode == RenameMode::NamePrefix ? kPrefixTexts : kIpTexts;
}

std::optional<RenameMode> renameModeFromTitle(const std::string& title) {
  if (title == kPrefixTexts.title) return RenameMode::NamePrefix;
  if (title == kIpTexts.title) return RenameMode::IpSegment;
  return std::nullopt;
}

RenameMode modeAfterSwitch(const std::string& modeButtonCaption) {
  return modeButtonCaption == kPrefixTexts.modeButton ? RenameMode::IpSegment : RenameMode::NamePrefix;
}

}  // namespace tl
