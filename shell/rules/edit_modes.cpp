#include "shell/rules/edit_modes.h"

namespace tl::shell {
namespace {

const EditModeTexts kNamePrefix{"修改计算机名前缀", "当前前缀:", "欲修改前缀:", "修改IP段"};
const EditModeTexts kIpSegment{"修改IP段", "当前IP段", "欲修改IP段", "修改计算机名前缀"};

}  // namespace

const EditModeTexts& textsFor(EditMode mode) { return mode == EditMode::IpSegment ? kIpSegment : kNamePrefix; }

std::optional<EditMode> modeForTitle(const std::string& title) {
  if (title == kNamePrefix.title) return EditMode::NamePrefix;
  if (title == kIpSegment.title) return EditMode::IpSegment;
  return std::nullopt;
}

EditMode modeAfterSwitch(const std::string& modeButtonCaption) {
  return modeButtonCaption == kNamePrefix.modeButton ? EditMode::IpSegment : EditMode::NamePrefix;
}

}  // namespace tl::shell
