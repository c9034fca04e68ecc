// The six SQLite vendor lists, each read from a small database made here,
// through detection and dispatch as a dropped file would be.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/list_types.h"
#include "data/text/addresses.h"
#include "tests/support/fake_platform.h"
#include "tests/support/sqlite_fixture.h"
#include "tests/support/temp_dir.h"

namespace tl {
namespace {

using test::TempDir;
using test::TestApp;

// "汀澜" as UTF-8, as a program other than ours stores it.
const std::string kUtf8Name = "\xE6\xB1\x80\xE6\xBE\x9C";

struct ListCase {
  const char* label;
  const char* listType;
  std::string sql;
  std::vector<ClientRow> rows;
  int count;
};

// The fake network of TestApp reports the DNS text "10.0.0.1,10.0.0.2".
const std::vector<ListCase> kListCases = {
    {"易乐游 rows sorted byte-wise, UTF-8 converted, comma-list DNS",
     "易乐游无盘",
     "create table workstation(id integer, computer text, ip text, mac text, subnetmask text, gateway text, dns text);"
     "insert into workstation values(1, 'PC2', '192.168.0.2', '00:1a:2b:3c:4d:5e', '255.255.255.0', '192.168.0.1',"
     " '1.1.1.1,2.2.2.2');"
     "insert into workstation values(2, 'PC10', '192.168.0.10', 'aabbccddeeff', '255.255.0.0', '192.168.0.254',"
     " '1.1.1.1');"
     "insert into workstation values(3, 'pc1', ' 192.168.0.1 ', '', '', '', '1.1.1.1, 2.2.2.2,3.3.3.3');"
     "insert into workstation values(4, '" + kUtf8Name + "', NULL, NULL, NULL, NULL, ',2.2.2.2');"
     "insert into workstation values(5, 'PC1', '192.168.0.11', '', '', '', '1.1.1.1,');",
     {{"1", "PC1", "192.168.0.11", "", "", "", "1.1.1.1", ""},
      {"2", "PC10", "192.168.0.10", "aabbccddeeff", "255.255.0.0", "192.168.0.254", "", ""},
      {"3", "PC2", "192.168.0.2", "00:1a:2b:3c:4d:5e", "255.255.255.0", "192.168.0.1", "1.1.1.1", "2.2.2.2"},
      {"4", "pc1", " 192.168.0.1 ", "", "", "", "1.1.1.1", " 2.2.2.2"},
      {"5", "汀澜", "", "", "", "", "", "2.2.2.2"}},
     5},
    {"易乐游 name column declared with a capital C lists empty names",
     "易乐游无盘",
     "create table workstation(Computer text, ip text, mac text, subnetmask text, gateway text, dns text);"
     "insert into workstation values('PC1', '10.0.0.1', 'm1', '255.0.0.0', '10.0.0.254', '9.9.9.9,8.8.8.8');"
     "insert into workstation values('PC2', '10.0.0.2', 'm2', '255.0.0.0', '10.0.0.254', '');",
     {{"1", "", "10.0.0.1", "m1", "255.0.0.0", "10.0.0.254", "9.9.9.9", "8.8.8.8"},
      {"2", "", "10.0.0.2", "m2", "255.0.0.0", "10.0.0.254", "", ""}},
     2},
    {"易游有盘 bytes as stored, exact column names",
     "易游有盘",
     "create table client(ComputerName text, IPAddress text, MACAddress text, SubnetMask text, Gateway text,"
     " DNSServers text, ipaddress_old text);"
     "insert into client values('" + kUtf8Name + "', '172.16.0.9', '00-11-22-33-44-55', '255.255.0.0', '172.16.0.1',"
     " '172.16.0.1,114.114.114.114', 'x');"
     "insert into client values('B1', '172.16.0.8', '001122334455', '255.255.0.0', '172.16.0.1', '172.16.0.1', 'x');"
     "insert into client values(NULL, NULL, NULL, NULL, NULL, NULL, NULL);"
     "insert into client values('B1', '172.16.0.8', '001122334455', '255.255.0.0', '172.16.0.1', '172.16.0.1', 'x');",
     {{"1", "", "", "", "", "", "", ""},
      {"2", "B1", "172.16.0.8", "001122334455", "255.255.0.0", "172.16.0.1", "", ""},
      {"3", "B1", "172.16.0.8", "001122334455", "255.255.0.0", "172.16.0.1", "", ""},
      {"4", kUtf8Name, "172.16.0.9", "00-11-22-33-44-55", "255.255.0.0", "172.16.0.1", "172.16.0.1",
       "114.114.114.114"}},
     4},
    {"易游有盘 column names differing in case are not found",
     "易游有盘",
     "create table client(computername text, ipaddress text, MACAddress text, SubnetMask text, Gateway text,"
     " dnsservers text);"
     "insert into client values('A1', '10.1.1.1', 'mac', '255.0.0.0', '10.1.1.254', '1.1.1.1,2.2.2.2');",
     {{"1", "", "", "mac", "255.0.0.0", "10.1.1.254", "", ""}},
     1},
    {"易游无盘 without a dns column: empty DNS cells",
     "易游无盘",
     "create table client(name text, ipaddress text, macaddress text, subnetmask text, gateway text);"
     "insert into client values('W2', '10.0.1.2', 'AA-BB', '255.255.255.0', '10.0.1.1');"
     "insert into client values('W1', '10.0.1.1', x'41420043', '255.255.255.0', '10.0.1.1');"
     "insert into client values('" + kUtf8Name + "', '10.0.1.3', '', '', '');",
     {{"1", "W1", "10.0.1.1", "AB", "255.255.255.0", "10.0.1.1", "", ""},
      {"2", "W2", "10.0.1.2", "AA-BB", "255.255.255.0", "10.0.1.1", "", ""},
      {"3", kUtf8Name, "10.0.1.3", "", "", "", "", ""}},
     3},
    {"易游无盘 comma-list DNS",
     "易游无盘",
     "create table client(name text, ipaddress text, macaddress text, subnetmask text, gateway text, dns text);"
     "insert into client values('W1', '10.0.1.1', 'm', '255.255.255.0', '10.0.1.1', '223.5.5.5,223.6.6.6');",
     {{"1", "W1", "10.0.1.1", "m", "255.255.255.0", "10.0.1.1", "223.5.5.5", "223.6.6.6"}},
     1},
    {"云更新 integer addresses with reversed octets",
     "云更新",
     "create table tPcBaseInfo(MACHINE text, ip, mac text, mark, gate, dns, dns2);"
     // 16885952 is 0x0101A8C0; 3355443210 and -939524086 are both 0xC800000A.
     "insert into tPcBaseInfo values('PC1', 16885952, '00-1a-2b-3c-4d-5e', 16777215, 16885952, 3355443210,"
     " -939524086);"
     "insert into tPcBaseInfo values('PC2', '', NULL, NULL, '', NULL, 'abc');"
     "insert into tPcBaseInfo values('PC3', '192.168.1.1', 'x', ' +16777215', 4311853248, '-939524086', '16885952z');"
     "insert into tPcBaseInfo values('" + kUtf8Name + "', '3355443210', 'y', '', '', '', '');"
     // The extremes of a stored integer keep their low 32 bits; reals and
     // blobs are read as their text.
     "insert into tPcBaseInfo values('PC4', -9223372036854775808, 'z', 9223372036854775807, 1.5, 3.0, X'3136');",
     {{"1", "PC1", "192.168.1.1", "00-1a-2b-3c-4d-5e", "255.255.255.0", "192.168.1.1", "10.0.0.200", "10.0.0.200"},
      {"2", "PC2", "0.0.0.0", "", "0.0.0.0", "0.0.0.0", "0.0.0.0", "0.0.0.0"},
      {"3", "PC3", "192.0.0.0", "x", "255.255.255.0", "192.168.1.1", "10.0.0.200", "192.168.1.1"},
      {"4", "PC4", "0.0.0.0", "z", "255.255.255.255", "1.0.0.0", "3.0.0.0", "16.0.0.0"},
      {"5", "汀澜", "10.0.0.200", "y", "0.0.0.0", "0.0.0.0", "0.0.0.0", "0.0.0.0"}},
     5},
    {"云更新 name column declared as machine lists empty names",
     "云更新",
     "create table tPcBaseInfo(machine text, ip, mac text, mark, gate, dns, dns2);"
     "insert into tPcBaseInfo values('PC1', 16885952, 'm', 16777215, 16885952, 16885952, 16885952);",
     {{"1", "", "192.168.1.1", "m", "255.255.255.0", "192.168.1.1", "192.168.1.1", "192.168.1.1"}},
     1},
    {"方格子 skips the broadcast address but counts it, local DNS on every row",
     "方格子",
     "create table comp(NAME text, IP4 text, MAC text, NMASK4 text, GTWAY4 text);"
     "insert into comp values('A1', '192.168.0.10', '00:1a:2b:3c:4d:5e', '255.255.255.0', '192.168.0.1');"
     "insert into comp values('A2', '255.255.255.255', '00:00:00:00:00:02', '255.255.255.0', '192.168.0.1');"
     "insert into comp values('A3', '192.168.0.11', 'AA:BB::CC', NULL, NULL);"
     "insert into comp values('A4', '255.255.255.255 ', '', '', '');"
     "insert into comp values('A5', '255.255.255.255', '', '', '');",
     {{"1", "A1", "192.168.0.10", "00-1a-2b-3c-4d-5e", "255.255.255.0", "192.168.0.1", "10.0.0.1", "10.0.0.2"},
      {"3", "A3", "192.168.0.11", "AA-BB--CC", "", "", "10.0.0.1", "10.0.0.2"},
      {"4", "A4", "255.255.255.255 ", "", "", "", "10.0.0.1", "10.0.0.2"}},
     5},
    {"方格子 MAC with GBK bytes: a \":\" that is a second byte stays",
     "方格子",
     "create table comp(NAME text, IP4 text, MAC text, NMASK4 text, GTWAY4 text);"
     // 0x81 0x3A is one GBK character whose second byte is ":".
     "insert into comp values('A1', '10.0.0.5', x'813A3A61', 'm', 'g');"
     "insert into comp values('A2', '10.0.0.6', x'613A81', 'm', 'g');",
     {{"1", "A1", "10.0.0.5", "\x81:-a", "m", "g", "10.0.0.1", "10.0.0.2"},
      {"2", "A2", "10.0.0.6", "a-\x81", "m", "g", "10.0.0.1", "10.0.0.2"}},
     2},
    {"方格子 exact column names",
     "方格子",
     "create table comp(name text, ip4 text, MAC text, NMASK4 text, GTWAY4 text);"
     "insert into comp values('A1', '255.255.255.255', 'a:b', 'm', 'g');",
     {{"1", "", "", "a-b", "m", "g", "10.0.0.1", "10.0.0.2"}},
     1},
    {"网维大师9系 MAC upper-cased ASCII only, DNS as stored",
     "网维大师9系",
     "create table tbl_Computer(ComputerName text, Ip text, Mac text, Mask text, Gateway text, Dns1 text, Dns2 text);"
     "insert into tbl_Computer values('N1', '10.0.0.5', '00-1a-2b-3c-4d-5e', '255.0.0.0', '10.0.0.1', '8.8.8.8',"
     " '8.8.4.4,1.1.1.1');"
     // 0x81 0x61 is one GBK character whose second byte is the letter a.
     "insert into tbl_Computer values('N2', '10.0.0.6', x'6181616263', NULL, NULL, NULL, '');",
     {{"1", "N1", "10.0.0.5", "00-1A-2B-3C-4D-5E", "255.0.0.0", "10.0.0.1", "8.8.8.8", "8.8.4.4,1.1.1.1"},
      {"2", "N2", "10.0.0.6", "A\x81\x61" "BC", "", "", "", ""}},
     2},
    {"网维大师9系 without DNS columns",
     "网维大师9系",
     "create table tbl_Computer(ComputerName text, Ip text, Mac text, Mask text, Gateway text);"
     "insert into tbl_Computer values('N1', '10.0.0.5', 'ab', '255.0.0.0', '10.0.0.1');",
     {{"1", "N1", "10.0.0.5", "AB", "255.0.0.0", "10.0.0.1", "", ""}},
     1},
    {"易乐游 empty table", "易乐游无盘",
     "create table workstation(computer text, ip text, mac text, subnetmask text, gateway text, dns text);", {}, 0},
    {"云更新 empty table", "云更新",
     "create table tPcBaseInfo(MACHINE text, ip, mac text, mark, gate, dns, dns2);", {}, 0},
    {"方格子 empty table", "方格子", "create table comp(NAME text, IP4 text, MAC text, NMASK4 text, GTWAY4 text);",
     {}, 0},
    {"网维大师9系 empty table", "网维大师9系",
     "create table tbl_Computer(ComputerName text, Ip text, Mac text, Mask text, Gateway text, Dns1 text, Dns2 text);",
     {}, 0},
};

std::vector<ClientRow> gridRows(const ClientGrid& grid) {
  std::vector<ClientRow> rows;
  for (int r = 0; r < grid.rowCount(); ++r) rows.push_back(grid.row(r));
  return rows;
}

TEST(SqliteVendorReaders, ListsRowsInSelectOrderWithTheirConversions) {
  for (const ListCase& c : kListCases) {
    SCOPED_TRACE(c.label);
    TempDir dir;
    std::string db = dir.file("list.db");
    ASSERT_EQ(test::makeDatabase(db, "begin;" + c.sql + "commit;"), "");
    TestApp app;
    app.grid().setStatus(kCountField, countFieldText(99));
    EXPECT_EQ(app.converter.openListFile(db), c.listType);
    EXPECT_EQ(gridRows(app.grid()), c.rows);
    EXPECT_EQ(app.grid().status(kCountField), countFieldText(c.count));
    EXPECT_TRUE(app.ui.messages.empty());
    EXPECT_FALSE(app.context().connection.isOpen());
  }
}

struct ReaderUnderTest {
  const char* label;  // the list type's name
  const char* table;
};

const ReaderUnderTest kReaders[] = {
    {"易乐游无盘", "workstation"}, {"易游有盘", "client"}, {"易游无盘", "client"},
    {"云更新", "tPcBaseInfo"},     {"方格子", "comp"},     {"网维大师9系", "tbl_Computer"},
};

// A reader that stops empties the grid, keeps the previous count and
// leaves the shared connection closed.
void expectStoppedRead(TestApp& app) {
  EXPECT_EQ(app.grid().rowCount(), 0);
  EXPECT_EQ(app.grid().status(kCountField), countFieldText(7));
  EXPECT_FALSE(app.context().connection.isOpen());
}

void showPreviousList(TestApp& app) {
  app.grid().setCell(app.grid().appendRow("1"), kColName, "OLD");
  app.grid().setStatus(kCountField, countFieldText(7));
}

TEST(SqliteVendorReaders, AMissingTableShowsSqlitesReason) {
  for (const ReaderUnderTest& r : kReaders) {
    SCOPED_TRACE(r.label);
    TempDir dir;
    std::string db = dir.file("other.db");
    ASSERT_EQ(test::makeDatabase(db, "create table clients_renamed(name text); insert into clients_renamed values('x');"),
              "");
    TestApp app;
    showPreviousList(app);
    ReaderContext context = app.context();
    readListFile(*findListType(r.label), context, db);
    ASSERT_EQ(app.ui.messages.size(), 1u);
    EXPECT_EQ(app.ui.messages[0].text, std::string("no such table: ") + r.table);
    EXPECT_EQ(app.ui.messages[0].caption, "提示");
    EXPECT_EQ(app.ui.messages[0].icon, MessageIcon::Error);
    expectStoppedRead(app);
  }
}

TEST(SqliteVendorReaders, AFileThatIsNoDatabaseCannotBeOpened) {
  for (const ReaderUnderTest& r : kReaders) {
    SCOPED_TRACE(r.label);
    TempDir dir;
    TestApp app;
    for (const std::string& path : {dir.file("missing.db"), dir.write("text.db", "not a database, just some text\n")}) {
      app.ui.messages.clear();
      showPreviousList(app);
      ReaderContext context = app.context();
      readListFile(*findListType(r.label), context, path);
      ASSERT_EQ(app.ui.messages.size(), 1u);
      EXPECT_EQ(app.ui.messages[0].text, "打开指定数据库失败！");
      EXPECT_EQ(app.ui.messages[0].caption, "信息：");
      expectStoppedRead(app);
    }
  }
}

}  // namespace
}  // namespace tl
