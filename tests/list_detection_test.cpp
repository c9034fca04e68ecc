#include "app/list_detection.h"

#include <gtest/gtest.h>

#include <random>

#include "app/list_types.h"
#include "tests/support/fake_platform.h"
#include "tests/support/sqlite_fixture.h"
#include "tests/support/temp_dir.h"

namespace tl {
namespace {

using test::TempDir;
using test::TestApp;

class Detection : public testing::Test {
 protected:
  std::string detect(const std::string& path) {
    SqliteConnection database;
    DetectionContext context{app.grid(), app.ui, *app.ini, database};
    std::string name = detectListType(context, path);
    EXPECT_FALSE(database.isOpen());
    return name;
  }
  std::string typeField() { return app.grid().status(kTypeField); }

  TempDir dir;
  TestApp app;
};

TEST(ListTypes, TableIsInProbingOrderWithItsTexts) {
  auto table = listTypes();
  ASSERT_EQ(table.size(), 21u);
  EXPECT_EQ(table[15].name, "快吧");
  EXPECT_EQ(table[15].typeText, "列表类型: 快吧无盘");
  EXPECT_EQ(table[19].typeText, "列表类型: 斯普林MZD.INI");
  // The SQL probes come first, then the text signatures, then the INI rules,
  // each row with the probe and the reader of its kind and a name of its own.
  using Probe = ListType::Probe;
  for (size_t i = 0; i < table.size(); ++i) {
    const ListType& type = table[i];
    SCOPED_TRACE(std::string(type.name));
    EXPECT_EQ(type.probe, i < 7 ? Probe::Sql : i < 17 ? Probe::Text : Probe::Ini);
    EXPECT_EQ(type.probe == Probe::Sql, !type.select.empty());
    EXPECT_EQ(type.probe == Probe::Sql, type.databaseReader != nullptr);
    EXPECT_EQ(type.probe != Probe::Sql, type.reader != nullptr);
    EXPECT_EQ(type.probe == Probe::Ini, type.iniRule != nullptr);
    EXPECT_EQ(type.probe == Probe::Text, !type.signature.all[0].empty());
    EXPECT_EQ(findListType(type.name), &type);
  }
  EXPECT_EQ(findListType("汀澜"), nullptr);
}

TEST_F(Detection, SqlProbesNeedTheTableAndTheOrderColumn) {
  struct Row {
    std::string schema, expected;
  };
  const Row cases[] = {
      {"create table cs_client_info(client_name text);", "汀澜无盘"},  // an empty table matches
      {"create table workstation(computer text); insert into workstation values('a');", "易乐游无盘"},
      {"create table client(computername text);", "易游有盘"},
      {"create table client(name text);", "易游无盘"},
      {"create table tPcBaseInfo(machine text);", "云更新"},
      {"create table comp(name text);", "方格子"},
      {"create table tbl_Computer(ComputerName text);", "网维大师9系"},
      // The later matching row wins: client with both columns is 易游无盘.
      {"create table client(computername text, name text);", "易游无盘"},
      {"create table cs_client_info(other text);", ""},
      {"create table unrelated(x);", ""},
  };
  for (const Row& c : cases) {
    std::string path = dir.file("probe.db");
    ASSERT_EQ(test::makeDatabase(path, c.schema), "");
    EXPECT_EQ(detect(path), c.expected) << c.schema;
    if (c.expected.empty()) {
      EXPECT_EQ(typeField(), "列表文件不支持");
    }
  }
}

TEST_F(Detection, TextSignaturesIgnoreCaseAndTheLastMatchWins) {
  struct Row {
    std::string content, expected;
  };
  const Row cases[] = {
      {"<clientinfor>", "网维大师"},
      {"NMenu Computer Name", "方格子XML"},
      {"nmenu Computer Name Count", "方格子TXT"},  // rows 9 and 10 both match
      {"Count Computer Name", ""},                 // no NMenu, neither is looked at
      {"IPAddr=1\nName=x", "云更新ONC"},
      {"IPAddr=1\nName=x\nNetmask=", ""},
      {"name,ip,mac,type\r\n", "信佑TXT"},
      {"produce hintsoft macList", "信佑TXT列表"},
      {"{\"macList\":[]}", "顺无盘CLT列表"},
      {"{\"macList\":[]} produce", ""},
      {"produce hintsoft macList PcList", "信佑JSON列表"},
      {"KB Version", "快吧"},
      {"PXD Version", "PXD"},
      {"KB Version PXD Version", "PXD"},
      // The signature after a zero byte is not seen.
      {std::string("xx\0ClientInfor", 14), ""},
      // A match never starts on a trail byte: 獍 is AB 61.
      {"\xAB" "ClientInfor", ""},
  };
  for (const Row& c : cases) {
    EXPECT_EQ(detect(dir.write("list.txt", c.content)), c.expected) << c.content;
    if (!c.expected.empty()) {
      EXPECT_NE(typeField().find(c.expected == "快吧" ? "快吧无盘" : c.expected), std::string::npos);
    }
  }
}

TEST_F(Detection, IniProbesLookAtTheFirstSection) {
  struct Row {
    std::string content, expected;
  };
  const Row cases[] = {
      {"[PC01]\nmac=00:11:22:33:44:55\n", "网众"},
      {"[001122334455]\nmac=001122334455\n", "易乐游Client.list"},
      {"[00:11]\nmac=00:11\n", "易乐游Client.list"},  // rows 18 and 19 both match
      {"[工作站1]\nx=1\n", "MZD"},
      {"[001122AABBCC]\nWksName=PC01\n", "锐起无盘"},
      {"[001122AABBC]\nWksName=PC01\n", ""},        // 11 bytes
      {"[001122AABBCC]\nWksName=未知\n", ""},       // the default is not usable
      {"[A]\nx=1\n[001122AABBCC]\nWksName=PC01\n", ""},  // only the first section counts
      {"[PC01]\nmac=\n", ""},
  };
  for (const Row& c : cases) EXPECT_EQ(detect(dir.write("list.ini", c.content)), c.expected) << c.content;
}

TEST_F(Detection, UnsupportedFileEmptiesTheGridButKeepsThePath) {
  app.grid().appendRow("1");
  app.grid().setStatus(kPathField, "old");
  EXPECT_EQ(detect(dir.write("x.bin", "nothing to see")), "");
  EXPECT_EQ(app.grid().rowCount(), 0);
  EXPECT_EQ(typeField(), "列表文件不支持");
  EXPECT_EQ(app.grid().status(kPathField), "old");
  EXPECT_TRUE(app.ui.messages.empty());
}

TEST_F(Detection, UnopenableFileShowsAMessageAndChangesNothing) {
  app.grid().appendRow("1");
  app.grid().setStatus(kTypeField, "列表类型: 网众");
  const std::string unopenable[] = {dir.file("missing.db"), dir.path(),
                                    dir.file("a.db") + "\r\n" + dir.file("b.db") + "\r\n"};
  for (const std::string& path : unopenable) {
    app.ui.messages.clear();
    EXPECT_EQ(detect(path), "") << path;
    ASSERT_EQ(app.ui.messages.size(), 1u) << path;
    EXPECT_EQ(app.ui.messages[0].text, "数据库打开失败！");
    EXPECT_EQ(app.ui.messages[0].caption, "提示");
    EXPECT_EQ(app.ui.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(app.grid().rowCount(), 1);
    EXPECT_EQ(typeField(), "列表类型: 网众");
  }
}

TEST_F(Detection, HostileFilesEndAsUnsupportedWithoutHarm) {
  std::mt19937 random(7);
  std::string noise(4 << 20, '\0');
  for (char& c : noise) c = char(random());
  std::string utf16;  // "ClientInfor" in UTF-16: cut at its first zero byte
  for (char c : std::string("ClientInfor")) utf16 += std::string{c, '\0'};
  const std::string files[] = {"", noise, utf16, std::string("\0\0\0ClientInfor", 14),
                               "SQLite format 3" + std::string(1, '\0') + "corrupt"};
  for (const std::string& content : files) {
    std::string path = dir.write("hostile.bin", content);
    EXPECT_EQ(detect(path), "") << content.size();
    EXPECT_EQ(typeField(), "列表文件不支持");
    EXPECT_EQ(test::readAll(path), content);  // nothing written
  }
}

TEST_F(Detection, LockedDatabaseStillOpensForProbing) {
  std::string path = dir.file("locked.db");
  ASSERT_EQ(test::makeDatabase(path, "create table cs_client_info(client_name text);"), "");
  SqliteConnection holder;
  ASSERT_TRUE(holder.open(path));
  ASSERT_TRUE(holder.execute("begin exclusive; insert into cs_client_info values('x');"));
  // The probes cannot read it; the text and INI phases find nothing either.
  EXPECT_EQ(detect(path), "");
  holder.execute("rollback");
}

TEST_F(Detection, ConverterDispatchesAndLeavesConnectionsClosed) {
  std::string path = dir.write("list.ini", "[001122AABBCC]\nWksName=PC01\n");
  EXPECT_EQ(app.converter.openDropped(path), "锐起无盘");
  EXPECT_EQ(app.grid().status(kPathField), path);
  EXPECT_EQ(app.grid().status(kTypeField), "列表类型: 锐起无盘WKS.INI");
  EXPECT_FALSE(app.converter.busy());
}

TEST_F(Detection, OpenButtonUsesTheDialogAndCancelChangesNothing) {
  app.grid().setStatus(kTypeField, "before");
  app.converter.openWithDialog();
  ASSERT_EQ(app.ui.dialogs.size(), 1u);
  EXPECT_EQ(app.ui.dialogs[0].title, "选择其他无盘客户机列表文件");
  EXPECT_EQ(app.ui.dialogs[0].filter, "*.*");
  EXPECT_EQ(typeField(), "before");

  app.ui.chosenFile = dir.write("x.bin", "nothing");
  app.converter.openWithDialog();
  EXPECT_EQ(app.grid().status(kPathField), *app.ui.chosenFile);
  EXPECT_EQ(typeField(), "列表文件不支持");
}

}  // namespace
}  // namespace tl
