#include "editing/rename.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editing/edit_dialog_modes.h"
#include "tests/support/fake_platform.h"

namespace tl {
namespace {

struct Client {
  std::string name, ip;
  bool operator==(const Client&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Client& c) { return os << "{" << c.name << ", " << c.ip << "}"; }

struct RenameCase {
  const char* what;
  RenameMode mode;
  std::string from, to;
  std::vector<Client> before, after;
};

void PrintTo(const RenameCase& c, std::ostream* os) { *os << c.what; }

class RenameTest : public testing::TestWithParam<RenameCase> {};

TEST_P(RenameTest, RewritesOnlyTheModesColumn) {
  const RenameCase& c = GetParam();
  ClientGrid grid;
  for (const Client& client : c.before) {
    int r = grid.appendRow("9");
    grid.setCell(r, kColName, client.name);
    grid.setCell(r, kColIp, client.ip);
    grid.setCell(r, kColMac, "pc-192.168.0.");
  }
  renameCells(grid, c.mode, c.from, c.to);
  std::vector<Client> after;
  for (int r = 0; r < grid.rowCount(); ++r) {
    after.push_back({grid.cell(r, kColName), grid.cell(r, kColIp)});
    EXPECT_EQ(grid.cell(r, kColNumber), "9");
    EXPECT_EQ(grid.cell(r, kColMac), "pc-192.168.0.");
  }
  EXPECT_EQ(after, c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RenameTest,
    testing::Values(
        RenameCase{"prefix: any case matches, every occurrence, the new text as typed",
                   RenameMode::NamePrefix,
                   "pc",
                   "wb",
                   {{"pc001", "1.1.1.1"}, {"PC002", "pc"}, {"npc-pc3", "x"}, {"other", "y"}},
                   {{"wb001", "1.1.1.1"}, {"wb002", "pc"}, {"nwb-wb3", "x"}, {"other", "y"}}},
        RenameCase{"IP segment moves one range only",
                   RenameMode::IpSegment,
                   "192.168.0.",
                   "10.0.0.",
                   {{"192.168.0.1", "192.168.0.15"}, {"b", "192.168.1.5"}},
                   {{"192.168.0.1", "10.0.0.15"}, {"b", "192.168.1.5"}}},
        RenameCase{"left to right, no overlap", RenameMode::IpSegment, "10.", "20.",
                   {{"a", "10.10.10.10"}}, {{"a", "20.20.20.10"}}},
        RenameCase{"overlapping occurrences", RenameMode::NamePrefix, "aa", "b", {{"aaa", ""}}, {{"ba", ""}}},
        RenameCase{"the inserted text is not scanned again", RenameMode::NamePrefix, "a", "Aa",
                   {{"abA", ""}}, {{"AabAa", ""}}},
        RenameCase{"an empty new text deletes", RenameMode::NamePrefix, "PC", "", {{"pc01PC", ""}}, {{"01", ""}}},
        RenameCase{"an empty current text changes nothing", RenameMode::NamePrefix, "", "x",
                   {{"pc01", "1.2.3.4"}}, {{"pc01", "1.2.3.4"}}},
        RenameCase{"a name may become empty", RenameMode::NamePrefix, "pc01", "", {{"PC01", ""}}, {{"", ""}}},
        // 0xB0 0x61 is one character: the "a" in it is not a letter, and
        // "ab" does not start inside it.
        RenameCase{"never inside a Chinese character",
                   RenameMode::NamePrefix,
                   "ab",
                   "X",
                   {{"\xB0\x61" "b", ""}, {"网吧ab", ""}},
                   {{"\xB0\x61" "b", ""}, {"网吧X", ""}}},
        RenameCase{"Chinese text replaced", RenameMode::NamePrefix, "网吧", "wb", {{"网吧01", ""}}, {{"wb01", ""}}},
        RenameCase{"an empty grid", RenameMode::IpSegment, "1", "2", {}, {}}));

TEST(EditDialogModes, TextsPerModeAndTheModeReadBack) {
  const EditDialogTexts& prefix = editDialogTexts(RenameMode::NamePrefix);
  EXPECT_STREQ(prefix.title, "修改计算机名前缀");
  EXPECT_STREQ(prefix.firstLabel, "当前前缀:");
  EXPECT_STREQ(prefix.secondLabel, "欲修改前缀:");
  EXPECT_STREQ(prefix.modeButton, "修改IP段");
  const EditDialogTexts& ip = editDialogTexts(RenameMode::IpSegment);
  EXPECT_STREQ(ip.title, "修改IP段");
  EXPECT_STREQ(ip.firstLabel, "当前IP段");
  EXPECT_STREQ(ip.secondLabel, "欲修改IP段");
  EXPECT_STREQ(ip.modeButton, "修改计算机名前缀");

  EXPECT_EQ(renameModeFromTitle("修改计算机名前缀"), RenameMode::NamePrefix);
  EXPECT_EQ(renameModeFromTitle("修改IP段"), RenameMode::IpSegment);
  EXPECT_EQ(renameModeFromTitle("修改ip段"), std::nullopt);  // the menu item's spelling is not a title
  EXPECT_EQ(renameModeFromTitle(""), std::nullopt);
  // The mode button names the mode it switches to; from either mode a click
  // lands in the other one.
  EXPECT_EQ(modeAfterSwitch(prefix.modeButton), RenameMode::IpSegment);
  EXPECT_EQ(modeAfterSwitch(ip.modeButton), RenameMode::NamePrefix);
  EXPECT_EQ(renameColumn(RenameMode::NamePrefix), kColName);
  EXPECT_EQ(renameColumn(RenameMode::IpSegment), kColIp);
}

TEST(ListConverterRename, AppliesToAllRowsSelectedOrNot) {
  test::TestApp app;
  for (const char* name : {"pc1", "pc2"}) app.grid().setCell(app.grid().appendRow(""), kColName, name);
  app.grid().setSelected(0, true);
  app.converter.applyRename(RenameMode::NamePrefix, "PC", "wb");
  EXPECT_EQ(app.grid().cell(0, kColName), "wb1");
  EXPECT_EQ(app.grid().cell(1, kColName), "wb2");
  EXPECT_TRUE(app.ui.messages.empty());
}

}  // namespace
}  // namespace tl
