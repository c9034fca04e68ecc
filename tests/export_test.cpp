#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editing/export_rows.h"
#include "editing/export_text.h"
#include "platform/file_system.h"
#include "platform/local_clock.h"
#include "tests/support/fake_platform.h"
#include "tests/support/temp_dir.h"

namespace tl {
namespace {

struct Client {
  std::string name, ip, mac;
};

void fill(ClientGrid& grid, const std::vector<Client>& clients) {
  grid.clear();
  for (const Client& c : clients) {
    int r = grid.appendRow(std::to_string(grid.rowCount() + 1));
    grid.setCell(r, kColName, c.name);
    grid.setCell(r, kColIp, c.ip);
    grid.setCell(r, kColMac, c.mac);
  }
}

const Client kPc01{"PC01", "192.168.0.101", "00-1A-2B-3C-4D-5E"};
const Client kPc02{"PC02", "192.168.0.102", "00-1A-2B-3C-4D-5F"};

struct TemplateCase {
  const char* what;
  std::string lineTemplate;
  std::vector<Client> clients;
  std::vector<int> rows;
  std::string expected;
};

void PrintTo(const TemplateCase& c, std::ostream* os) { *os << c.what; }

class ExportTemplateTest : public testing::TestWithParam<TemplateCase> {};

TEST_P(ExportTemplateTest, BuildsTheText) {
  const TemplateCase& c = GetParam();
  ClientGrid grid;
  fill(grid, c.clients);
  EXPECT_EQ(buildExportText(grid, c.rows, c.lineTemplate), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Templates, ExportTemplateTest,
    testing::Values(
        TemplateCase{"default template, CR LF between, none after", "name ip mac", {kPc01, kPc02}, {0, 1},
                     "PC01 192.168.0.101 00-1A-2B-3C-4D-5E\r\nPC02 192.168.0.102 00-1A-2B-3C-4D-5F"},
        TemplateCase{"arp commands", "arp -s ip mac", {kPc01}, {0}, "arp -s 192.168.0.101 00-1A-2B-3C-4D-5E"},
        TemplateCase{"capitals pass the tests but replace nothing", "NAME IP MAC", {kPc01, kPc02}, {0, 1},
                     "NAME IP MAC\r\nNAME IP MAC"},
        TemplateCase{"without ip a name holding ip is kept", "name mac", {{"ship01", "1.2.3.4", "M"}}, {0},
                     "ship01 M"},
        TemplateCase{"with ip the inserted name is changed too", "name ip mac", {{"ship01", "1.2.3.4", "M"}}, {0},
                     "sh1.2.3.401 1.2.3.4 M"},
        TemplateCase{"IP in capitals still lets a name's ip be replaced", "name IP", {{"ship", "1.2.3.4", "M"}}, {0},
                     "sh1.2.3.4 IP"},
        TemplateCase{"an inserted name holding mac", "name ip mac", {{"mac01", "1.2.3.4", "M"}}, {0},
                     "M01 1.2.3.4 M"},
        TemplateCase{"leading empty lines dropped, later ones kept",
                     "name",
                     {{"", "", ""}, {"", "", ""}, {"A", "", ""}, {"", "", ""}, {"B", "", ""}},
                     {0, 1, 2, 3, 4},
                     "A\r\n\r\nB"},
        TemplateCase{"rows in the order given", "name", {kPc01, kPc02, {"PC03", "", ""}}, {0, 2}, "PC01\r\nPC03"},
        TemplateCase{"a template without variable words", "固定 text", {kPc01, kPc02}, {0, 1},
                     "固定 text\r\n固定 text"},
        TemplateCase{"GBK cells copied as they are", "name,ip", {{"网吧01", "10.0.0.1", ""}}, {0},
                     "网吧01,10.0.0.1"}));

TEST(ExportTimestamp, FourteenDigitsFromTheLocalTime) {
  EXPECT_EQ(exportTimestamp({2024, 1, 5, 9, 30, 7}), "20240105093007");
  EXPECT_EQ(exportTimestamp({2026, 12, 31, 23, 59, 59}), "20261231235959");
  EXPECT_EQ(exportTimestamp(platform::currentLocalTime()).size(), 14u);
}

TEST(ExportFilePath, DesktopFolderSeparatorNameAndTime) {
  const std::string sep(1, platform::pathSeparator());
  const platform::LocalDateTime t{2024, 1, 5, 9, 30, 7};
  EXPECT_EQ(exportFilePath("D", t), "D" + sep + "导出文件20240105093007.txt");
  EXPECT_EQ(exportFilePath("D" + sep, t), "D" + sep + "导出文件20240105093007.txt");
  EXPECT_EQ(exportFilePath("", t), sep + "导出文件20240105093007.txt");
  // B1 5C is one character whose second byte looks like a backslash.
  EXPECT_EQ(exportFilePath("D\xB1\x5C", t), "D\xB1\x5C" + sep + "导出文件20240105093007.txt");
}

// A converter with a fixed clock, its desktop in a fresh folder.
struct ExportApp {
  ExportApp() {
    app.ui.desktop = dir.path();
    app.converter.setClock([] { return platform::LocalDateTime{2024, 1, 5, 9, 30, 7}; });
    fill(app.grid(), {kPc01, kPc02, {"PC03", "10.0.0.3", "M3"}});
  }
  std::string expectedPath() const {
    return dir.path() + platform::pathSeparator() + "导出文件20240105093007.txt";
  }
  std::string written() const {
    std::string bytes;
    EXPECT_TRUE(platform::readFileBytes(expectedPath(), bytes));
    return bytes;
  }

  test::TempDir dir;
  test::TestApp app;
};

TEST(ExportRows, AllRowsToTheDesktopWithTheConfirmation) {
  ExportApp e;
  e.app.ui.inputText = "name";
  e.app.converter.exportAllRows();
  EXPECT_EQ(e.written(), "PC01\r\nPC02\r\nPC03");
  ASSERT_EQ(e.app.ui.prompts.size(), 1u);
  EXPECT_EQ(e.app.ui.prompts[0], kExportPrompt);
  ASSERT_EQ(e.app.ui.messages.size(), 1u);
  EXPECT_EQ(e.app.ui.messages[0].text, "已导出文件 文件位置：" + e.expectedPath());
  EXPECT_EQ(e.app.ui.messages[0].caption, "提示");
  EXPECT_EQ(e.app.ui.messages[0].icon, MessageIcon::Information);
}

TEST(ExportRows, SelectedRowsInAscendingOrderAndASecondExportReplacesTheFirst) {
  ExportApp e;
  e.app.ui.inputText = "ip";
  e.app.converter.exportAllRows();
  e.app.grid().setSelected(2, true);
  e.app.grid().setSelected(0, true);
  e.app.converter.exportSelectedRows();  // same second, same name
  EXPECT_EQ(e.written(), "192.168.0.101\r\n10.0.0.3");
  EXPECT_EQ(e.app.ui.messages.size(), 2u);
}

TEST(ExportRows, SilentAndWarnedStops) {
  ExportApp e;
  // No selection: the warning, nothing asked, nothing written.
  e.app.ui.inputText = "name";
  EXPECT_EQ(e.app.converter.exportRows(ExportScope::SelectedRows), ExportOutcome::NoSelection);
  ASSERT_EQ(e.app.ui.messages.size(), 1u);
  EXPECT_EQ(e.app.ui.messages[0].text, "请选择要导出的机器");
  EXPECT_EQ(e.app.ui.messages[0].icon, MessageIcon::Exclamation);
  EXPECT_EQ(e.app.ui.messages[0].caption, "提示");
  EXPECT_TRUE(e.app.ui.prompts.empty());

  // Cancel (the empty text): nothing at all.
  e.app.ui.inputText = "";
  EXPECT_EQ(e.app.converter.exportRows(ExportScope::AllRows), ExportOutcome::EmptyTemplate);
  // An empty grid: the template is asked, then a silent stop.
  e.app.grid().clear();
  e.app.ui.inputText = "name";
  EXPECT_EQ(e.app.converter.exportRows(ExportScope::AllRows), ExportOutcome::NoRows);
  EXPECT_EQ(e.app.ui.prompts.size(), 2u);
  EXPECT_EQ(e.app.ui.messages.size(), 1u);
  EXPECT_FALSE(platform::fileExists(e.expectedPath()));
}

TEST(ExportRows, AFailedWriteIsReportedNotConfirmed) {
  ExportApp e;
  e.app.ui.desktop = e.dir.file("no-such-folder");
  e.app.ui.inputText = "name";
  EXPECT_EQ(e.app.converter.exportRows(ExportScope::AllRows), ExportOutcome::WriteFailed);
  const std::string path = e.dir.file("no-such-folder") + platform::pathSeparator() + "导出文件20240105093007.txt";
  ASSERT_EQ(e.app.ui.messages.size(), 1u);
  EXPECT_EQ(e.app.ui.messages[0].text, "导出文件失败 文件位置：" + path);
  EXPECT_EQ(e.app.ui.messages[0].caption, "提示");
  EXPECT_EQ(e.app.ui.messages[0].icon, MessageIcon::Error);
}

TEST(ExportRows, AGivenOutputPath) {
  ExportApp e;
  e.app.ui.inputText = "mac";
  const std::string out = e.dir.file("out.txt");
  EXPECT_EQ(e.app.converter.exportRows(ExportScope::AllRows, out), ExportOutcome::Written);
  EXPECT_EQ(test::readAll(out), "00-1A-2B-3C-4D-5E\r\n00-1A-2B-3C-4D-5F\r\nM3");
  EXPECT_EQ(e.app.ui.messages.back().text, "已导出文件 文件位置：" + out);
}

}  // namespace
}  // namespace tl
