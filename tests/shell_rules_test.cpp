#include <gtest/gtest.h>

#include "editing/edit_dialog_modes.h"
#include "shell/rules/operator_actions.h"
#include "shell/rules/window_texts.h"
#include "tests/support/fake_operator_ui.h"

namespace tl::shell {
namespace {

TEST(WindowButtons, EditAndExportNeedAList) {
  test::FakeOperatorUi ui;
  ClientGrid grid;
  EXPECT_FALSE(ensureListOpen(grid, ui));
  EXPECT_FALSE(exportItemsEnabled(grid));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "请先打开列表文件");
  EXPECT_EQ(ui.messages[0].caption, "提示");
  EXPECT_EQ(ui.messages[0].icon, MessageIcon::Information);

  grid.appendRow("1");
  EXPECT_TRUE(ensureListOpen(grid, ui));
  EXPECT_TRUE(exportItemsEnabled(grid));
  EXPECT_EQ(ui.messages.size(), 1u);  // no message once a list is open
}

TEST(WindowButtons, HelpIsOneInformationBoxCaptionedShuoming) {
  test::FakeOperatorUi ui;
  showHelp(ui);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].caption, "说明");
  EXPECT_EQ(ui.messages[0].icon, MessageIcon::Information);
  const std::string& text = ui.messages[0].text;
  EXPECT_EQ(text.rfind("汀澜无盘客户机列表导入工具\r\n\r\n", 0), 0u);
  EXPECT_NE(text.find("?:\\琰川科技\\汀澜\\分层同步\\data 目录下"), std::string::npos);
  EXPECT_EQ(text.find('\n', 0) - 1, text.find('\r', 0));  // CR LF pairs
  EXPECT_NE(text.substr(text.size() - 4), "\r\n");
}

TEST(DroppedPaths, OnePathAsIsSeveralEachFollowedByCrLf) {
  struct Case {
    std::vector<std::string> paths;
    std::string text;
  } cases[] = {
      {{"C:\\列表\\data.db"}, "C:\\列表\\data.db"},
      {{"C:\\a.ini", "D:\\b.xml"}, "C:\\a.ini\r\nD:\\b.xml\r\n"},
      {{"C:\\a", "C:\\b", "C:\\c"}, "C:\\a\r\nC:\\b\r\nC:\\c\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(joinDroppedPaths(c.paths), c.text);
}

TEST(Placement, CentredRoundsTowardZeroAndPopupsSitThreePixelsOff) {
  struct Case {
    int screenWidth, screenHeight, width, height, left, top;
  } cases[] = {
      {1280, 800, 846, 522, 217, 139},
      {1280, 800, 800, 600, 240, 100},
      {1025, 769, 800, 600, 112, 84},
      {640, 480, 846, 522, -103, -21},  // a screen smaller than the window
  };
  for (const Case& c : cases) {
    Placement at = centredOnScreen(c.screenWidth, c.screenHeight, c.width, c.height);
    EXPECT_EQ(at.left, c.left) << c.screenWidth;
    EXPECT_EQ(at.top, c.top) << c.screenHeight;
  }
  Placement popup = popupPosition(100, 200);
  EXPECT_EQ(popup.left, 103);
  EXPECT_EQ(popup.top, 203);
}

TEST(EditModes, TitleLabelsAndModeButtonPerMode) {
  struct Case {
    RenameMode mode;
    std::string_view title, first, second, button;
  } cases[] = {
      {RenameMode::NamePrefix, "修改计算机名前缀", "当前前缀:", "欲修改前缀:", "修改IP段"},
      {RenameMode::IpSegment, "修改IP段", "当前IP段", "欲修改IP段", "修改计算机名前缀"},
  };
  for (const Case& c : cases) {
    const EditDialogTexts& texts = editDialogTexts(c.mode);
    EXPECT_EQ(texts.title, c.title);
    EXPECT_EQ(texts.firstLabel, c.first);
    EXPECT_EQ(texts.secondLabel, c.second);
    EXPECT_EQ(texts.modeButton, c.button);
    // The title is the mode; the mode button leads to the mode it names.
    EXPECT_EQ(renameModeFromTitle(std::string(c.title)), c.mode);
    EXPECT_NE(modeAfterSwitch(std::string(c.button)), c.mode);
  }
}

TEST(EditModes, OnlyTheExactTitlesSelectAMode) {
  // The edit menu's item reads "修改ip段"; the dialog's title "修改IP段".
  for (const char* title : {"修改ip段", "", "修改计算机名前缀 ", "修改"})
    EXPECT_EQ(renameModeFromTitle(title), std::nullopt) << title;
}

}  // namespace
}  // namespace tl::shell
