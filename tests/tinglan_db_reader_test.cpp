#include <gtest/gtest.h>

#include "app/list_types.h"
#include "tests/support/fake_platform.h"
#include "tests/support/sqlite_fixture.h"
#include "tests/support/temp_dir.h"

namespace tl {
namespace {

void readTinglan(ReaderContext& context, const std::string& path) {
  readListFile(*findListType("汀澜无盘"), context, path);
}

using test::TempDir;
using test::TestApp;

struct StoredRow {
  const char* values;  // the SQL values of name, mac, ip, mask, gateway, dns1, dns2
  ClientRow shown;     // columns 1..7 as the grid shows them (column 0 unused)
};

// Each stored row shown alone, so that its running number is 1.
TEST(TinglanDbReader, ConvertsEachStoredForm) {
  const StoredRow cases[] = {
      {"'PC01','001122aabbcc','3232235521','4294967040','3232235521','134744072','134743044'",
       {"", "PC01", "192.168.0.1", "00-11-22-AA-BB-CC", "255.255.255.0", "192.168.0.1", "8.8.8.8", "8.8.4.4"}},
      // The same 32-bit pattern written negative, and a value past 32 bits.
      {"'n','0011223','-1062731775','4294967296','',NULL,'-1'",
       {"", "n", "192.168.0.1", "00-11-22-3", "0.0.0.0", "0.0.0.0", "0.0.0.0", "255.255.255.255"}},
      // Another tool's dotted text reads as the number before the first dot;
      // a MAC that already has separators is cut through them.
      {"'x','00-11-22','192.168.0.1',NULL,NULL,NULL,NULL",
       {"", "x", "0.0.0.192", "00--1-1--22", "0.0.0.0", "0.0.0.0", "0.0.0.0", "0.0.0.0"}},
      // Numbers stored as integers, full-width digits, NULL and empty texts.
      {"NULL,NULL,3232235521,'\xA3\xB1\xA3\xB6\xA3\xB7\xA3\xB7\xA3\xB7\xA3\xB2\xA3\xB1\xA3\xB6\xA3\xB0','',NULL,''",
       {"", "", "192.168.0.1", "", "10.0.0.0", "0.0.0.0", "0.0.0.0", "0.0.0.0"}},
      // Names are the stored bytes: GBK shows as written; UTF-8 stays raw.
      {"'汀澜01','aabbccddeeff','1','2','3','4','5'",
       {"", "汀澜01", "0.0.0.1", "AA-BB-CC-DD-EE-FF", "0.0.0.2", "0.0.0.3", "0.0.0.4", "0.0.0.5"}},
      {"'\xE6\xB1\x80','','0','0','0','0','0'",
       {"", "\xE6\xB1\x80", "0.0.0.0", "", "0.0.0.0", "0.0.0.0", "0.0.0.0", "0.0.0.0"}},
  };
  for (const StoredRow& c : cases) {
    SCOPED_TRACE(c.values);
    TempDir dir;
    std::string db = dir.file("data.db");
    ASSERT_EQ(test::makeDatabase(db, std::string(test::kClientTable) +
                                         "insert into cs_client_info(client_name,client_mac,client_ip,client_mask,"
                                         "client_gate_way,client_dns1,client_dns2) values(" +
                                         c.values + ");"),
              "");
    TestApp app;
    ReaderContext context = app.context();
    readTinglan(context, db);
    ASSERT_EQ(app.grid().rowCount(), 1);
    EXPECT_EQ(app.grid().cell(0, kColNumber), "1");
    for (int col = kColName; col < kColumnCount; ++col) EXPECT_EQ(app.grid().cell(0, col), c.shown[size_t(col)]) << col;
    EXPECT_EQ(app.grid().status(kCountField), "客户机总数: 1");
    EXPECT_TRUE(app.ui.messages.empty());
  }
}

TEST(TinglanDbReader, RowsComeInByteOrderOfTheStoredNames) {
  TempDir dir;
  std::string db = dir.file("data.db");
  ASSERT_EQ(test::makeDatabase(db, std::string(test::kClientTable) +
                                       "insert into cs_client_info(client_name,client_ip) values"
                                       "('b','2'),('汀','3'),('B','1'),('a','4');"),
            "");
  TestApp app;
  ReaderContext context = app.context();
  readTinglan(context, db);
  ASSERT_EQ(app.grid().rowCount(), 4);
  const char* names[] = {"B", "a", "b", "汀"};
  for (int r = 0; r < 4; ++r) {
    EXPECT_EQ(app.grid().cell(r, kColNumber), std::to_string(r + 1));
    EXPECT_EQ(app.grid().cell(r, kColName), names[r]);
  }
  EXPECT_EQ(app.grid().status(kCountField), "客户机总数: 4");
}

TEST(TinglanDbReader, MissingColumnsReadAsEmptyText) {
  TempDir dir;
  std::string db = dir.file("data.db");
  ASSERT_EQ(test::makeDatabase(db, "create table cs_client_info(client_name text);"
                                   "insert into cs_client_info values('only');"),
            "");
  TestApp app;
  ReaderContext context = app.context();
  readTinglan(context, db);
  ASSERT_EQ(app.grid().rowCount(), 1);
  const ClientRow expected = {"1", "only", "0.0.0.0", "", "0.0.0.0", "0.0.0.0", "0.0.0.0", "0.0.0.0"};
  EXPECT_EQ(app.grid().row(0), expected);
}

TEST(TinglanDbReader, EmptyTableAndFailures) {
  TempDir dir;
  std::string empty = dir.file("empty.db");
  ASSERT_EQ(test::makeDatabase(empty, test::kClientTable), "");
  std::string noTable = dir.file("other.db");
  ASSERT_EQ(test::makeDatabase(noTable, "create table t(x);"), "");

  TestApp app;
  app.grid().appendRow("1");
  app.grid().setStatus(kCountField, "客户机总数: 7");
  ReaderContext context = app.context();
  readTinglan(context, empty);
  EXPECT_EQ(app.grid().rowCount(), 0);
  EXPECT_EQ(app.grid().status(kCountField), "客户机总数: 0");

  app.grid().appendRow("1");
  readTinglan(context, noTable);
  EXPECT_EQ(app.grid().rowCount(), 0);
  EXPECT_EQ(app.grid().status(kCountField), "客户机总数: 0");  // kept from the last read
  ASSERT_EQ(app.ui.messages.size(), 1u);
  EXPECT_EQ(app.ui.messages[0].text, "no such table: cs_client_info");
  EXPECT_EQ(app.ui.messages[0].caption, "提示");
  EXPECT_EQ(app.ui.messages[0].icon, MessageIcon::Error);

  readTinglan(context, dir.file("missing.db"));
  ASSERT_EQ(app.ui.messages.size(), 2u);
  EXPECT_EQ(app.ui.messages[1].text, "打开指定数据库失败！");
  EXPECT_EQ(app.ui.messages[1].caption, "信息：");
}

TEST(TinglanDbReader, DetectedAndDispatchedAsADroppedFile) {
  TempDir dir;
  std::string db = dir.file("data.db");
  ASSERT_EQ(test::makeDatabase(db, std::string(test::kClientTable) +
                                       "insert into cs_client_info(client_name,client_ip,client_mac) values"
                                       "('PC01','3232235777','001a2b3c4d5e');"),
            "");
  TestApp app;
  EXPECT_EQ(app.converter.openDropped(db), "汀澜无盘");
  ASSERT_EQ(app.grid().rowCount(), 1);
  EXPECT_EQ(app.grid().cell(0, kColIp), "192.168.1.1");
  EXPECT_EQ(app.grid().cell(0, kColMac), "00-1A-2B-3C-4D-5E");
  EXPECT_EQ(app.grid().status(kTypeField), "列表类型: 汀澜无盘");
}

}  // namespace
}  // namespace tl
