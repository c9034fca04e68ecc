#include <gtest/gtest.h>

#include <sqlite3.h>

#include "data/text/addresses.h"
#include "import/stored_client.h"
#include "platform/file_system.h"
#include "tests/support/fake_platform.h"
#include "tests/support/sqlite_fixture.h"
#include "tests/support/temp_dir.h"

namespace tl {
namespace {

using test::TempDir;
using test::TestApp;
using Rows = std::vector<std::vector<std::string>>;

// The server's table has columns of its own; the import leaves them to their defaults.
constexpr const char* kTargetTable =
    "create table cs_client_info(id integer primary key autoincrement, client_name text, client_mac text,"
    " client_ip text, client_mask text, client_gate_way text, client_dns1 text, client_dns2 text,"
    " client_group_name text, client_state integer default 7);";
constexpr const char* kOldRows =
    "insert into cs_client_info(client_name,client_mac,client_ip,client_group_name) values"
    "('OLD1','AA','1','g'),('OLD2','BB','2','g');";
constexpr const char* kStoredColumns =
    "select client_name,client_mac,client_ip,client_mask,client_gate_way,client_dns1,client_dns2,"
    "client_group_name,client_state from cs_client_info order by id";

void addRow(ClientGrid& grid, const std::vector<std::string>& cells) {
  int r = grid.appendRow(std::to_string(grid.rowCount() + 1));
  int c = kColName;
  for (const std::string& cell : cells) grid.setCell(r, c++, cell);
}

// The texts of the message boxes after the check's question, each up to its
// first line break (the closing message adds the change and the copy's path).
std::vector<std::string> shownTexts(const test::FakeOperatorUi& ui) {
  std::vector<std::string> texts;
  for (const test::ShownMessage& m : ui.messages) {
    if (m.text.ends_with("是否仍然导入？")) continue;
    texts.push_back(m.text.substr(0, m.text.find("\r\n")));
  }
  return texts;
}

// The lists of these tests are not all clean: the check's question is
// answered with OK.
void acceptProblems(TestApp& app) { app.ui.answers.push_back(MessageAnswer::Ok); }

// A database file no connection holds a lock on.
bool unlocked(const std::string& path) {
  sqlite3* db = nullptr;
  bool ok = sqlite3_open(path.c_str(), &db) == SQLITE_OK &&
            sqlite3_exec(db, "begin exclusive; rollback;", nullptr, nullptr, nullptr) == SQLITE_OK;
  sqlite3_close(db);
  return ok;
}

class ClientImport : public testing::Test {
 protected:
  void SetUp() override {
    target = dir.file("data.db");
    ASSERT_EQ(test::makeDatabase(target, std::string(kTargetTable) + kOldRows), "");
    before = test::queryRows(target, "select * from cs_client_info order by id");
  }
  ImportResult importInto(const std::string& path) {
    acceptProblems(app);
    ImportOptions options;
    options.databasePath = path;
    return app.converter.importGridWith(options);
  }
  // The table holds exactly what it held before, and nothing is locked.
  void expectUnchanged() {
    EXPECT_EQ(test::queryRows(target, "select * from cs_client_info order by id"), before);
    EXPECT_TRUE(unlocked(target));
  }

  TempDir dir;
  std::string target;
  Rows before;
  TestApp app;
};

TEST_F(ClientImport, StoresEachCellInTheDatabaseForm) {
  struct Case {
    ClientRow cells;  // columns 1..7 (column 0 is not imported)
    std::vector<std::string> stored;  // name, mac, ip, mask, gateway, dns1, dns2
  };
  const Case cases[] = {
      {{"", "PC01", "192.168.0.1", "00-11-22-AA-BB-CC", "255.255.255.0", "192.168.0.254", "8.8.8.8", "8.8.4.4"},
       {"PC01", "001122AABBCC", "3232235521", "4294967040", "3232235774", "134744072", "134743044"}},
      // Empty DNS cells stay empty; 0.0.0.0 is the number 0; only "-" goes from a MAC.
      {{"", "PC02", "0.0.0.0", "00:11:22:aa:bb:cc", "", "", "", ""},
       {"PC02", "00:11:22:aa:bb:cc", "0", "", "", "", ""}},
      // The IP cell is converted even when empty; a missing piece counts as 0.
      {{"", "PC03", "", "", "没有", "10.0.0", "10", "1.2.3.4.5"},
       {"PC03", "", "0", "0", "167772160", "167772160", "16909060"}},
      // A piece above 255 keeps all its hex digits; full-width digits count.
      {{"", "PC04", "1.2.3.300", "", "\xA3\xB1\xA3\xB9\xA3\xB2.168.0.1", " 10.+1.0.0", "", ""},
       {"PC04", "", "270545196", "3232235521", "167837696", "", ""}},
      // A negative piece is its 32-bit pattern; past 64 bits the low 64 bits stay.
      {{"", "PC05", "-1.0.0.0", "", "-1.-1.-1.-1", "", "", ""},
       {"PC05", "", "72057594021150720", "18446744073709551615", "", "", ""}},
      // Names go in byte for byte: quotes and a semicolon cannot alter the statement.
      {{"", "O'Brien';delete from cs_client_info;--", "1.1.1.1", "", "", "", "", ""},
       {"O'Brien';delete from cs_client_info;--", "", "16843009", "", "", "", ""}},
      {{"", "汀澜网吧-01", "1.1.1.2", "", "", "", "", ""}, {"汀澜网吧-01", "", "16843010", "", "", "", ""}},
  };
  for (const Case& c : cases) addRow(app.grid(), std::vector<std::string>(c.cells.begin() + 1, c.cells.end()));
  ImportResult result = importInto(target);
  ASSERT_EQ(result.outcome, ImportOutcome::Imported);
  Rows stored = test::queryRows(target, kStoredColumns);
  ASSERT_EQ(stored.size(), std::size(cases));
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].cells[kColName]);
    std::vector<std::string> expected = cases[i].stored;
    expected.push_back("默认分组");  // GBK bytes
    expected.push_back("7");         // the table's own default
    EXPECT_EQ(stored[i], expected);
  }
}

TEST_F(ClientImport, ReplacesTheListAndRestartsTheServer) {
  addRow(app.grid(), {"PC02", "1.1.1.2", "", "", "", "", ""});
  addRow(app.grid(), {"PC01", "1.1.1.1", "", "", "", "", ""});
  ImportResult result = importInto(target);
  EXPECT_EQ(result.outcome, ImportOutcome::Imported);
  EXPECT_EQ(result.restart, platform::ServiceRestart::Restarted);
  Rows names = test::queryRows(target, "select client_name, client_group_name from cs_client_info order by id");
  EXPECT_EQ(names, (Rows{{"PC02", "默认分组"}, {"PC01", "默认分组"}}));  // grid order, old rows gone
  EXPECT_EQ(app.grid().status(kTypeField), "导入完毕");
  EXPECT_EQ(app.services.restarted, std::vector<std::string>{"sentry_bs"});
  ASSERT_EQ(shownTexts(app.ui).size(), 1u);
  EXPECT_EQ(app.ui.messages.back().text, "导入完毕 已重启汀澜主服务 等待控制台刷新后\r\n新增 2 台 删除 2 台 修改 0 台 未变 0 台"
                                          "\r\n原列表已保存到 " + result.backupPath);
  EXPECT_EQ(app.ui.messages.back().caption, "提示");
  EXPECT_EQ(app.ui.messages.back().icon, MessageIcon::Question);
  EXPECT_TRUE(unlocked(target));
  EXPECT_EQ(app.grid().rowCount(), 2);  // the grid is not changed
}

TEST_F(ClientImport, ClosingMessageFollowsTheRestart) {
  struct Case {
    platform::ServiceRestart restart;
    bool restartRequested;
    std::vector<std::string> texts;
    MessageIcon icon;
  };
  const Case cases[] = {
      {platform::ServiceRestart::Restarted, true, {"导入完毕 已重启汀澜主服务 等待控制台刷新后"}, MessageIcon::Question},
      // A service that was not running is started, and the message says so.
      {platform::ServiceRestart::Started, true, {"导入完毕 已启动汀澜主服务 等待控制台刷新后"}, MessageIcon::Question},
      {platform::ServiceRestart::Failed, true, {"导入完毕 汀澜主服务重启失败 请手动启动服务"}, MessageIcon::Error},
      {platform::ServiceRestart::Skipped, true, {}, MessageIcon::None},
      {platform::ServiceRestart::Restarted, false, {}, MessageIcon::None},
  };
  for (const Case& c : cases) {
    TestApp local;
    local.services.result = c.restart;
    addRow(local.grid(), {"PC01", "1.1.1.1", "", "", "", "", ""});
    acceptProblems(local);
    ImportOptions options;
    options.databasePath = target;
    options.restartService = c.restartRequested;
    ImportResult result = local.converter.importGridWith(options);
    EXPECT_EQ(result.outcome, ImportOutcome::Imported);
    EXPECT_EQ(local.services.restarted.size(), c.restartRequested ? 1u : 0u);
    EXPECT_EQ(result.restart.has_value(), c.restartRequested);
    EXPECT_EQ(local.grid().status(kTypeField), "导入完毕");
    for (size_t i = 1; i < local.ui.messages.size(); ++i) {
      EXPECT_EQ(local.ui.messages[i].caption, "提示");
      EXPECT_EQ(local.ui.messages[i].icon, c.icon);
    }
    EXPECT_EQ(shownTexts(local.ui), c.texts);
    EXPECT_EQ(test::queryRows(target, "select client_name from cs_client_info"), Rows{{"PC01"}});
  }
}

TEST_F(ClientImport, FailureOnTheThirdOfFiveRowsKeepsTheEarlierList) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(target.c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db, "create unique index mac_once on cs_client_info(client_mac);", nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(db);
  before = test::queryRows(target, "select * from cs_client_info order by id");

  addRow(app.grid(), {"PC01", "1.1.1.1", "00-00-00-00-00-01", "", "", "", ""});
  addRow(app.grid(), {"PC02", "1.1.1.2", "00-00-00-00-00-02", "", "", "", ""});
  addRow(app.grid(), {"PC03", "1.1.1.3", "00-00-00-00-00-01", "", "", "", ""});  // same MAC as PC01
  addRow(app.grid(), {"PC04", "1.1.1.4", "00-00-00-00-00-04", "", "", "", ""});
  addRow(app.grid(), {"PC05", "1.1.1.5", "00-00-00-00-00-05", "", "", "", ""});
  ImportResult result = importInto(target);
  EXPECT_EQ(result.outcome, ImportOutcome::WriteFailed);
  expectUnchanged();
  EXPECT_EQ(shownTexts(app.ui), std::vector<std::string>{"导入发生错误 请确认导入数据库文件"});
  EXPECT_EQ(app.ui.messages.back().caption, "错误");
  EXPECT_EQ(app.ui.messages.back().icon, MessageIcon::Error);
  EXPECT_TRUE(app.services.restarted.empty());
  EXPECT_EQ(app.grid().status(kTypeField), "正在导入计算机列表");
}

// Another program holding the database: the import waits a moment, then
// fails with its message and changes nothing; it never hangs.
TEST_F(ClientImport, TargetLockedByAnotherConnection) {
  struct Case {
    const char* lock;
    ImportOutcome outcome;
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      // Not even readable: the database cannot be opened.
      {"begin exclusive;", ImportOutcome::DatabaseOpenFailed, {}},
      {"begin immediate; insert into cs_client_info(client_name) values('theirs');", ImportOutcome::WriteFailed,
       {"导入发生错误 请确认导入数据库文件"}},
      // A reader keeps the commit from finishing.
      {"begin; select count(*) from cs_client_info;", ImportOutcome::WriteFailed,
       {"导入发生错误 请确认导入数据库文件"}},
  };
  for (const Case& c : cases) {
    const char* lock = c.lock;
    SCOPED_TRACE(lock);
    TestApp local;
    addRow(local.grid(), {"PC01", "1.1.1.1", "", "", "", "", ""});
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(target.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, lock, nullptr, nullptr, nullptr), SQLITE_OK);
    acceptProblems(local);
    ImportOptions options;
    options.databasePath = target;
    ImportResult result = local.converter.importGridWith(options);
    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_EQ(shownTexts(local.ui), c.messages);
    EXPECT_TRUE(local.services.restarted.empty());
    sqlite3_exec(other, "rollback;", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    expectUnchanged();
  }
}

TEST_F(ClientImport, TargetsThatAreNoClientDatabase) {
  const std::string text = "PC01 192.168.0.1\r\n";
  const std::string textFile = dir.write("list.txt", text);
  ASSERT_EQ(test::makeDatabase(dir.file("other.db"), "create table t(x); insert into t values(1);"), "");
  ASSERT_EQ(test::makeDatabase(dir.file("narrow.db"),
                               "create table cs_client_info(client_name text, client_ip text);"
                               "insert into cs_client_info values('keep','1');"),
            "");
  struct Case {
    std::string path;
    ImportOutcome outcome;
    std::string typeField;
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {textFile, ImportOutcome::DatabaseOpenFailed, "数据库打开失败", {}},
      {dir.file("missing.db"), ImportOutcome::DatabaseOpenFailed, "数据库打开失败", {}},
      {dir.file("other.db"), ImportOutcome::WriteFailed, "正在清除汀澜客户机列表", {"导入发生错误 请确认导入数据库文件"}},
      {dir.file("narrow.db"), ImportOutcome::WriteFailed, "正在导入计算机列表", {"导入发生错误 请确认导入数据库文件"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    std::string bytesBefore = test::readAll(c.path);
    TestApp local;
    addRow(local.grid(), {"PC01", "1.1.1.1", "", "", "", "", ""});
    acceptProblems(local);
    ImportOptions options;
    options.databasePath = c.path;
    EXPECT_EQ(local.converter.importGridWith(options).outcome, c.outcome);
    EXPECT_EQ(local.grid().status(kTypeField), c.typeField);
    EXPECT_EQ(shownTexts(local.ui), c.messages);
    EXPECT_TRUE(local.services.restarted.empty());
    EXPECT_EQ(test::readAll(c.path), bytesBefore);  // not a byte written
  }
  EXPECT_FALSE(platform::fileExists(dir.file("missing.db")));
}

TEST_F(ClientImport, EmptyGridDoesNothing) {
  app.processes.paths[0] = dir.file("tlconv");
  ImportResult result = app.converter.importGridWith({});
  EXPECT_EQ(result.outcome, ImportOutcome::NothingToImport);
  EXPECT_TRUE(app.ui.messages.empty());
  EXPECT_TRUE(app.ui.dialogs.empty());
  EXPECT_TRUE(app.services.restarted.empty());
  EXPECT_EQ(app.grid().status(kTypeField), "");
  expectUnchanged();
}

// A 汀澜 list read, imported into another database and read again shows the
// same cells; only MAC letters come back in upper case.
TEST_F(ClientImport, RoundTrip) {
  const std::string source = dir.file("source.db");
  ASSERT_EQ(test::makeDatabase(source, std::string(kTargetTable) +
                                           "insert into cs_client_info(client_name,client_mac,client_ip,client_mask,"
                                           "client_gate_way,client_dns1,client_dns2,client_group_name) values"
                                           "('网吧01','001a2b3c4d01','3232235777','4294967040','3232235521','134744072','','x'),"
                                           "('PC''02','001A2B3C4D02','-1062731774','','0','3232235521','134743044','y'),"
                                           "('PC03',NULL,'167772161',NULL,NULL,NULL,NULL,NULL);"),
            "");
  ASSERT_EQ(app.converter.openDropped(source), "汀澜无盘");
  const int rows = app.grid().rowCount();
  ASSERT_EQ(rows, 3);
  std::vector<ClientRow> first;
  for (int r = 0; r < rows; ++r) first.push_back(app.grid().row(r));
  ASSERT_EQ(importInto(target).outcome, ImportOutcome::Imported);

  TestApp again;
  ASSERT_EQ(again.converter.openDropped(target), "汀澜无盘");
  ASSERT_EQ(again.grid().rowCount(), rows);
  for (int r = 0; r < rows; ++r) EXPECT_EQ(again.grid().row(r), first[size_t(r)]);
  EXPECT_EQ(first[2][kColMac], "00-1A-2B-3C-4D-01");  // stored in lower case
  EXPECT_EQ(test::queryRows(target, "select client_name, client_mac, client_ip, client_mask, client_dns2"
                                    " from cs_client_info order by id"),
            (Rows{{"PC'02", "001A2B3C4D02", "3232235522", "0", "134743044"},
                  {"PC03", "", "167772161", "0", "0"},
                  {"网吧01", "001A2B3C4D01", "3232235777", "4294967040", "0"}}));
}

// Plain quads take a short path; every text must give what the general
// conversion gives.
TEST(StoredClientForm, AddressCellsMatchTheGeneralConversion) {
  const char* texts[] = {"10.0.1.25", "0.0.0.0", "255.255.255.0", "1.2.3.300", "999.999.999.999", "01.002.3.4",
                         "1.2.3.4.", "1.2.3", "1.2.3.4.5", "1234.1.1.1", " 1.2.3.4", "1.2.3.4 ", "1..2.3",
                         "+1.2.3.4", "1.2.3.-4", "1.2.3.4x", ".1.2.3", "\xA3\xB1.2.3.4", ""};
  for (const char* text : texts) EXPECT_EQ(ipNumberCell(text, true), text::dottedToIpNumber(text)) << text;
  EXPECT_EQ(ipNumberCell("", false), "");
}

// A list's rows mostly repeat the mask, gateway and DNS of the row before;
// the maker converts a repeated text once. Rows that repeat, change, change
// back, empty and not an address must each come out as alone.
TEST(StoredClientForm, RowsInTurnMatchEachRowAlone) {
  const std::vector<std::array<const char*, 4>> shared = {
      {"255.255.255.0", "10.0.0.1", "8.8.8.8", ""},
      {"255.255.255.0", "10.0.0.1", "8.8.8.8", ""},
      {"255.255.0.0", "10.0.0.254", "", "1.1.1.1"},
      {"255.255.255.0", "10.0.0.1", "8.8.8.8", ""},
      {"", "", "x", "1.2.3.300"},
      {"", "", "x", "1.2.3.300"},
      {"255.255.255.0", "10.0.0.1", "8.8.8.8", "8.8.4.4"},
  };
  StoredClientMaker maker;
  for (size_t i = 0; i < shared.size(); ++i) {
    ClientRow row;
    row[kColName] = "PC" + std::to_string(i);
    row[kColIp] = "10.0.0." + std::to_string(i + 2);
    row[kColMac] = "00-1A-2B-3C-4D-0" + std::to_string(i);
    row[kColMask] = shared[i][0];
    row[kColGateway] = shared[i][1];
    row[kColDns1] = shared[i][2];
    row[kColDns2] = shared[i][3];
    EXPECT_EQ(maker(row), storedClient(row)) << i;
  }
}

}  // namespace
}  // namespace tl
