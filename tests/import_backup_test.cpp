// The copy of the old client list an import keeps, the restore from it, the
// check's question before the import, the change summary and the dry run.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>

#include "import/list_backup.h"
#include "platform/directories.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"
#include "tests/support/fake_platform.h"
#include "tests/support/sqlite_fixture.h"
#include "tests/support/temp_dir.h"

namespace tl {
namespace {

using test::TempDir;
using test::TestApp;
using Rows = std::vector<std::vector<std::string>>;

// The server's table with columns of its own, values of every storage class.
constexpr const char* kListA =
    "create table cs_client_info(id integer primary key autoincrement, client_name text, client_mac text,"
    " client_ip text, client_mask text, client_gate_way text, client_dns1 text, client_dns2 text,"
    " client_group_name text, client_state integer default 7, client_note blob, client_weight real);"
    "create index by_mac on cs_client_info(client_mac);"
    "insert into cs_client_info values"
    "(5,cast(x'CDF8B0C93031' as text),'001A2B3C4D01','3232235777','4294967040','3232235521','','','VIP',3,x'00FF',1.5),"
    "(9,'PC02','001A2B3C4D02','3232235778',NULL,NULL,NULL,NULL,'g',0,NULL,NULL),"
    "(12,'GONE','AABBCCDDEEFF','3232235779','4294967040','3232235521','134744072','','g',-1,x'',2);";
// Every column as stored, with its storage class.
constexpr const char* kEveryCell =
    "select id,typeof(client_name),client_name,client_mac,client_ip,client_mask,client_gate_way,client_dns1,"
    "client_dns2,client_group_name,client_state,typeof(client_note),hex(client_note),client_weight"
    " from cs_client_info order by id";

const platform::LocalDateTime kNow{2026, 12, 10, 15, 30, 0};

void addRow(ClientGrid& grid, const std::vector<std::string>& cells) {
  int r = grid.appendRow(std::to_string(grid.rowCount() + 1));
  int c = kColName;
  for (const std::string& cell : cells) grid.setCell(r, c++, cell);
}

// List B: PC01 renamed and given another IP, PC02 unchanged but for its
// group, GONE gone, NEW new.
void fillListB(ClientGrid& grid) {
  addRow(grid, {"网吧01", "192.168.1.31", "00-1A-2B-3C-4D-01", "255.255.255.0", "192.168.1.1", "", ""});
  addRow(grid, {"PC02", "192.168.1.2", "00-1a-2b-3c-4d-02", "255.255.255.0", "192.168.1.1", "", ""});
  addRow(grid, {"NEW", "192.168.1.4", "00-1A-2B-3C-4D-04", "255.255.255.0", "192.168.1.1", "", ""});
}

class ImportBackup : public testing::Test {
 protected:
  void SetUp() override {
    target = dir.file("data.db");
    ASSERT_EQ(test::makeDatabase(target, kListA), "");
    before = test::queryRows(target, kEveryCell);
    app.converter.setClock([] { return kNow; });
  }
  ImportResult importInto(bool keepBackup = true) {
    ImportOptions options;
    options.databasePath = target;
    options.keepBackup = keepBackup;
    return app.converter.importGridWith(options);
  }
  std::string folder() const { return backupFolder(target); }  // GBK, like every path of the tool
  std::string inFolder(const std::string& name) const { return folder() + platform::pathSeparator() + name; }

  TempDir dir;
  std::string target;
  Rows before;
  TestApp app;
};

TEST_F(ImportBackup, CopyHoldsTheReplacedRowsAndRestoresThemExactly) {
  fillListB(app.grid());
  ImportResult result = importInto();
  ASSERT_EQ(result.outcome, ImportOutcome::Imported);
  const std::string copy = result.backupPath;
  EXPECT_TRUE(copy.ends_with("cs_client_info-20261210-153000.db")) << copy;
  EXPECT_EQ(platform::listFileNames(folder()), std::vector<std::string>{"cs_client_info-20261210-153000.db"});
  const std::string copyUtf8 = platform::gbkToUtf8(copy);  // for SQLite's own calls
  EXPECT_EQ(test::queryRows(copyUtf8, kEveryCell), before);
  const char* schema = "select type, name, sql from sqlite_master where name <> 'sqlite_sequence' order by name";
  EXPECT_EQ(test::queryRows(copyUtf8, schema), test::queryRows(target, schema));
  EXPECT_NE(test::queryRows(target, kEveryCell), before);

  ASSERT_EQ(app.ui.messages.size(), 1u);  // a clean list: no question
  EXPECT_EQ(app.ui.messages[0].text, "导入完毕 已重启汀澜主服务 等待控制台刷新后\r\n新增 1 台 删除 1 台 修改 2 台 未变 0 台\r\n"
                                     "原列表已保存到 " + copy);

  // The copy is a 汀澜 list of its own.
  TestApp reader;
  EXPECT_EQ(reader.converter.openDropped(copy), "汀澜无盘");
  EXPECT_EQ(reader.grid().rowCount(), 3);

  TestApp restorer;
  restorer.converter.setClock([] { return platform::LocalDateTime{2026, 12, 10, 15, 31, 0}; });
  ImportOptions options;
  options.databasePath = target;
  ImportResult restored = restorer.converter.restoreCopy(copy, options);
  ASSERT_EQ(restored.outcome, ImportOutcome::Imported);
  EXPECT_EQ(test::queryRows(target, kEveryCell), before);
  // The restore kept what it replaced: list B as the import stored it.
  ASSERT_TRUE(platform::fileExists(restored.backupPath));
  EXPECT_EQ(test::queryRows(platform::gbkToUtf8(restored.backupPath), "select client_name from cs_client_info order by id"),
            (Rows{{"网吧01"}, {"PC02"}, {"NEW"}}));
  ASSERT_TRUE(restored.summary);
  EXPECT_EQ(changeLine(*restored.summary), "新增 1 台 删除 1 台 修改 2 台 未变 0 台");
}

TEST_F(ImportBackup, CopyThatCannotBeWrittenImportsNothing) {
  // A file where the folder should be: neither root nor any platform can make it.
  ASSERT_TRUE(platform::writeFileBytes(folder(), "x"));
  fillListB(app.grid());
  const std::string bytes = test::readAll(target);
  ImportResult result = importInto();
  EXPECT_EQ(result.outcome, ImportOutcome::BackupFailed);
  ASSERT_EQ(app.ui.messages.size(), 1u);
  EXPECT_TRUE(app.ui.messages[0].text.starts_with("无法保存原客户机列表 未导入：无法创建文件夹 "));
  EXPECT_TRUE(app.ui.messages[0].text.ends_with("导入前备份"));
  EXPECT_EQ(app.ui.messages[0].icon, MessageIcon::Error);
  EXPECT_EQ(test::readAll(target), bytes);
  EXPECT_TRUE(app.services.restarted.empty());
}

TEST_F(ImportBackup, NamesInOneSecondGetASuffixAndTheNewestThirtyStay) {
  ASSERT_TRUE(platform::createDirectory(folder()));
  for (int day = 1; day <= 31; ++day) {
    char name[64];
    std::snprintf(name, sizeof name, "cs_client_info-202611%02d-120000.db", day);
    ASSERT_TRUE(platform::writeFileBytes(inFolder(name), "old"));
  }
  ASSERT_TRUE(platform::writeFileBytes(inFolder("cs_client_info-20261210-153000.db"), "same second"));
  ASSERT_TRUE(platform::writeFileBytes(inFolder("cs_client_info-20261210-150000.db.tmp"), "killed"));
  ASSERT_TRUE(platform::writeFileBytes(inFolder("notes.txt"), "the operator's"));
  fillListB(app.grid());
  ImportResult result = importInto();
  ASSERT_EQ(result.outcome, ImportOutcome::Imported);
  EXPECT_TRUE(result.backupPath.ends_with("cs_client_info-20261210-153000-2.db")) << result.backupPath;
  std::vector<std::string> names = platform::listFileNames(folder());
  std::sort(names.begin(), names.end());
  ASSERT_EQ(names.size(), 31u);  // 30 copies and the operator's file
  EXPECT_EQ(names[0], "cs_client_info-20261104-120000.db");  // the three oldest went
  EXPECT_EQ(names[28], "cs_client_info-20261210-153000-2.db");
  EXPECT_EQ(names[29], "cs_client_info-20261210-153000.db");
  EXPECT_EQ(names[30], "notes.txt");
}

TEST_F(ImportBackup, NoBackupWritesNoCopy) {
  fillListB(app.grid());
  ImportResult result = importInto(false);
  ASSERT_EQ(result.outcome, ImportOutcome::Imported);
  EXPECT_TRUE(result.backupPath.empty());
  EXPECT_FALSE(platform::fileExists(folder()));
  EXPECT_EQ(app.ui.messages.back().text.find("原列表已保存到"), std::string::npos);
}

TEST_F(ImportBackup, ProblemsAskFirstAndCancelWritesNothing) {
  fillListB(app.grid());
  app.grid().setCell(2, kColMac, "00-1A-2B-3C-4D-01");  // NEW takes PC01's MAC
  const std::string bytes = test::readAll(target);
  ImportResult declined = importInto();
  EXPECT_EQ(declined.outcome, ImportOutcome::CheckDeclined);
  ASSERT_EQ(declined.problems.size(), 1u);
  ASSERT_EQ(app.ui.messages.size(), 1u);
  const test::ShownMessage& question = app.ui.messages[0];
  EXPECT_EQ(question.text, "客户机列表有 1 处问题:\r\nMAC地址重复 00-1A-2B-3C-4D-01: 序号 1 网吧01, 序号 3 NEW\r\n是否仍然导入？");
  EXPECT_EQ(question.caption, "提示");
  EXPECT_EQ(question.icon, MessageIcon::Question);
  EXPECT_EQ(question.buttons, MessageButtons::OkCancel);
  EXPECT_EQ(test::readAll(target), bytes);
  EXPECT_FALSE(platform::fileExists(folder()));

  app.ui.answers.push_back(MessageAnswer::Ok);
  ImportResult imported = importInto();
  EXPECT_EQ(imported.outcome, ImportOutcome::Imported);
  EXPECT_EQ(test::queryRows(target, "select count(*) from cs_client_info"), Rows{{"3"}});
  EXPECT_TRUE(platform::fileExists(imported.backupPath));
}

TEST_F(ImportBackup, DryRunReadsTheChangeAndWritesNothing) {
  fillListB(app.grid());
  const std::string bytes = test::readAll(target);
  ImportOptions options;
  options.databasePath = target;
  ImportPreview preview = app.converter.previewImportWith(options);
  ASSERT_EQ(preview.outcome, ImportOutcome::Imported);
  EXPECT_TRUE(preview.problems.empty());
  EXPECT_EQ(changeLine(preview.summary), "新增 1 台 删除 1 台 修改 2 台 未变 0 台");
  ASSERT_EQ(preview.summary.removed.size(), 1u);
  EXPECT_EQ(preview.summary.removed[0][kStoredName], "GONE");
  EXPECT_EQ(test::readAll(target), bytes);
  EXPECT_FALSE(platform::fileExists(folder()));
  EXPECT_TRUE(app.ui.messages.empty());
  EXPECT_TRUE(app.services.restarted.empty());
}

TEST(ChangeSummary, MatchesRowsByMac) {
  auto client = [](const char* name, const char* mac, const char* ip) {
    return StoredClient{name, mac, ip, "", "", "", "", "默认分组"};
  };
  const std::vector<StoredClient> before = {client("A", "001122334455", "1"), client("B", "00:11:22:33:44:66", "2"),
                                            client("C", "0011.2233.4477", "3"), client("D", "odd", "4")};
  const std::vector<StoredClient> after = {client("A", "001122334455", "1"), client("B", "001122334466", "2"),
                                           client("C2", "001122334477", "3"), client("E", "001122334488", "5"),
                                           client("D", "odd", "4")};
  ChangeSummary summary = summarizeChanges(before, after);
  EXPECT_EQ(summary.unchanged, 2);  // A, and D with its odd MAC
  ASSERT_EQ(summary.changed.size(), 2u);  // B's MAC text, C's name
  EXPECT_EQ(summary.changed[0].first[kStoredName], "B");
  EXPECT_EQ(summary.changed[1].second[kStoredName], "C2");
  ASSERT_EQ(summary.added.size(), 1u);
  EXPECT_EQ(summary.added[0][kStoredName], "E");
  EXPECT_TRUE(summary.removed.empty());
  EXPECT_EQ(changeLine(summary), "新增 1 台 删除 0 台 修改 2 台 未变 2 台");
}

}  // namespace
}  // namespace tl
