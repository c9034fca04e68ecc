#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "readers/fanggezi_txt_reader.h"
#include "readers/text_lines.h"
#include "readers/xinyou_txt_reader.h"
#include "readers/yungengxin_onc_reader.h"
#include "tests/support/fake_platform.h"
#include "tests/support/grid_rows.h"
#include "tests/support/reader_cases.h"
#include "tests/support/temp_dir.h"

namespace tl {
namespace {

using Rows = std::vector<ClientRow>;
using namespace std::string_literals;

using test::runCases;

TEST(TextLines, LineEnds) {
  struct Case {
    std::string bytes;
    std::vector<std::string_view> lines;
  };
  const Case cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\n", {"a"}},
      {"a\r\nb", {"a", "b"}},
      {"a\r\r\n", {"a\r"}},          // only one CR goes
      {"a\rb\n", {"a\rb"}},          // a lone CR ends nothing
      {"a\n\nb\n", {"a", "", "b"}},  // blank lines are lines
      {"a\0b\x1a" "c"s, {"a", "b", "c"}},
      {"a\r\0"s, {"a\r"}},  // the CR goes only before LF
      {"\n", {""}},
  };
  for (const Case& c : cases) EXPECT_EQ(splitTextLines(c.bytes), c.lines) << c.bytes;
}

const char* const kMask = "255.255.255.0";
const char* const kGateway = "192.168.1.1";

TEST(TextReaders, FanggeziTxt) {
  runCases(readFanggeziTxt,
           {
               {"a full line",
                "NMenu Count=1\r\n1|PC01|00:11:22:33:44:55|192.168.0.11|255.255.255.0|192.168.0.1\r\n",
                {{"1", "PC01", "192.168.0.11", "00-11-22-33-44-55", "255.255.255.0", "192.168.0.1", "10.0.0.1",
                  "10.0.0.2"}}},
               {"only the name",
                "7|PC07\n",
                {{"1", "PC07", "", "", "", "", "10.0.0.1", "10.0.0.2"}}},
               {"each field only when present",
                "1|A|aa:bb\n2|B|cc|10.0.0.2\n3|C|dd|ip|mask\n4|D|ee|ip|mask|gw|extra|more\n",
                {{"1", "A", "", "aa-bb", "", "", "10.0.0.1", "10.0.0.2"},
                 {"2", "B", "10.0.0.2", "cc", "", "", "10.0.0.1", "10.0.0.2"},
                 {"3", "C", "ip", "dd", "mask", "", "10.0.0.1", "10.0.0.2"},
                 {"4", "D", "ip", "ee", "mask", "gw", "10.0.0.1", "10.0.0.2"}}},
               {"a bare bar is still a client", "|\n", {{"1", "", "", "", "", "", "10.0.0.1", "10.0.0.2"}}},
               {"lines without a bar skipped", "header\n\nCount=2\n1|PC01\n",
                {{"1", "PC01", "", "", "", "", "10.0.0.1", "10.0.0.2"}}},
               {"empty fields kept in place", "1||00:11|\n",
                {{"1", "", "", "00-11", "", "", "10.0.0.1", "10.0.0.2"}}},
               // 0x81 0x7C is one GBK character whose second byte is "|".
               {"a double-byte character is no separator", "1|名\x81\x7c|mac\n\x81\x7c\n",
                {{"1", "名\x81\x7c", "", "mac", "", "", "10.0.0.1", "10.0.0.2"}}},
               {"NUL and 1A end lines", "1|A\0" "2|B\x1a" "3|C"s,
                {{"1", "A", "", "", "", "", "10.0.0.1", "10.0.0.2"},
                 {"2", "B", "", "", "", "", "10.0.0.1", "10.0.0.2"},
                 {"3", "C", "", "", "", "", "10.0.0.1", "10.0.0.2"}}},
               {"the CR before LF is not part of the gateway", "1|A|m|ip|mask|gw\r\n",
                {{"1", "A", "ip", "m", "mask", "gw", "10.0.0.1", "10.0.0.2"}}},
               {"an empty file", "", {}},
           });
}

TEST(TextReaders, XinyouTxt) {
  auto row = [](const char* number, const char* name, const char* ip, const char* mac) {
    return ClientRow{number, name, ip, mac, kMask, kGateway, "10.0.0.1", "10.0.0.2"};
  };
  runCases(readXinyouTxt,
           {
               {"header and one client", "Name,IP,Mac,Type\r\nPC01,192.168.0.11,00:11:22:33:44:55,1\r\n",
                {row("1", "PC01", "192.168.0.11", "00-11-22-33-44-55")}},
               {"header in any case, anywhere in the line", "## name,ip,MAC,type ##\nPC01,ip,mac\n",
                {row("1", "PC01", "ip", "mac")}},
               {"short lines and blank lines skipped", "\nPC01\nPC02,ip\nPC03,ip,\nPC04,ip,m:a,1,x\n,,\n",
                {row("1", "PC04", "ip", "m-a")}},
               {"empty fields in the middle count", "PC05,,aa:bb\n", {row("1", "PC05", "", "aa-bb")}},
               {"no header needed", "网吧01,10.0.0.5,00:aa\n", {row("1", "网吧01", "10.0.0.5", "00-aa")}},
               {"only the header", "Name,IP,Mac,Type\n", {}},
           });
}

TEST(TextReaders, YungengxinOnc) {
  auto row = [](const char* number, const char* name, const char* ip, const char* mac) {
    return ClientRow{number, name, ip, mac, kMask, kGateway, "10.0.0.1", "10.0.0.2"};
  };
  auto block = [](const char* mac, const char* ip, const char* name, const std::string& end) {
    return "["s + mac + "]" + end + "IPAddr=" + ip + end + "Name=" + name + end;
  };
  const Rows one = {row("1", "PC01", "192.168.0.11", "00-11-22-33-44-55")};
  runCases(readYungengxinOnc,
           {
               {"the export's own CR CR LF", block("00:11:22:33:44:55", "192.168.0.11", "PC01", "\r\r\n"), one},
               // An editor saved these: no character of the values may go.
               {"CR LF", block("00:11:22:33:44:55", "192.168.0.11", "PC01", "\r\n"), one},
               {"LF", block("00:11:22:33:44:55", "192.168.0.11", "PC01", "\n"), one},
               {"seven lines give two rows",
                block("aa:bb", "10.0.0.1", "A", "\r\r\n") + block("cc:dd", "10.0.0.2", "网吧B", "\r\r\n") + "[ee:ff]\r\r\n",
                {row("1", "A", "10.0.0.1", "aa-bb"), row("2", "网吧B", "10.0.0.2", "cc-dd")}},
               {"an incomplete last block adds nothing", "[aa:bb]\r\nIPAddr=10.0.0.1\r\n", {}},
               {"only positions count: blank lines and other prefixes",
                "\nIPAddr=10.0.0.1\nName=X\n[aa]\nIP=10.0.0.2\nHost=Y\n",
                {row("1", "X", "10.0.0.1", ""), row("2", "Y", ".0.2", "aa")}},
               {"lines shorter than the prefixes", "[]\nIPAddr\nName\n", {row("1", "", "", "")}},
               {"brackets anywhere removed, letters kept as written", "x[a]b:c]\nIPAddr=1\nName=n\n",
                {row("1", "n", "1", "xab-c")}},
               {"prefixes dropped by characters", "[m]\n网吧网吧网吧网IP\n网吧网吧网N\n", {row("1", "N", "IP", "m")}},
               {"an empty file", "", {}},
           });
}

TEST(TextReaders, OncBlockStartsEmptyForEveryRead) {
  test::TempDir dir;
  test::TestApp app;
  ReaderContext context = app.context();
  readYungengxinOnc(context, dir.write("a.onc", "[aa]\nIPAddr=1\nName=A\n[bb]\n"));
  readYungengxinOnc(context, dir.write("b.onc", "[cc]\nIPAddr=2\nName=C\n"));
  ASSERT_EQ(app.grid().rowCount(), 1);
  EXPECT_EQ(app.grid().cell(0, kColMac), "cc");
  EXPECT_EQ(app.grid().cell(0, kColName), "C");
}

TEST(TextReaders, MissingFileGivesNoRowsAndCountZero) {
  test::TempDir dir;
  for (ListReader reader : {readFanggeziTxt, readXinyouTxt, readYungengxinOnc}) {
    test::TestApp app;
    app.grid().appendRow("1");  // the previous list
    ReaderContext context = app.context();
    reader(context, dir.file("missing.txt"));
    EXPECT_EQ(app.grid().rowCount(), 0);
    EXPECT_EQ(app.grid().status(kCountField), "客户机总数: 0");
    EXPECT_TRUE(app.ui.messages.empty());
  }
}

TEST(TextReaders, NoLocalDnsLeavesTheDnsCellsEmpty) {
  test::TempDir dir;
  test::TestApp app;
  app.network.setSingle("255.255.0.0", "10.1.1.1", "");
  ReaderContext context = app.context();
  readXinyouTxt(context, dir.write("x.txt", "PC01,ip,mac\n"));
  EXPECT_EQ(test::gridRows(app.grid()), (Rows{{"1", "PC01", "ip", "mac", "255.255.0.0", "10.1.1.1", "", ""}}));
}

// From the dropped file to the grid: detection picks the reader.
TEST(ListReaders, DroppedFilesAreDetectedAndRead) {
  struct Case {
    std::string file;
    std::string type, typeField;
    std::string firstName;
    int rows;
  };
  const Case cases[] = {
      {"[PC01]\r\nip=1.1.1.1\r\nmac=00:11:22:33:44:55\r\n[PC02]\r\nmac=00:11\r\n", "网众", "列表类型: 网众", "PC01", 2},
      {"[00-11]\r\nmac=00-11\r\ncomputer=PC01\r\n", "易乐游Client.list", "列表类型: 易乐游Client.list", "PC01", 1},
      {"[工作站]\r\nComName=PC01\r\n[x]\r\n", "MZD", "列表类型: 斯普林MZD.INI", "PC01", 1},
      {"[001122AABBCC]\r\nWksName=PC01\r\n", "锐起无盘", "列表类型: 锐起无盘WKS.INI", "PC01", 1},
      {"NMenu Count=2\r\n1|PC01|mac\r\n2|PC02|mac\r\n", "方格子TXT", "列表类型: 方格子TXT", "PC01", 2},
      {"[00:11]\r\r\nIPAddr=1.1.1.1\r\r\nName=PC01\r\r\n", "云更新ONC", "列表类型: 云更新ONC", "PC01", 1},
      {"NAME,IP,MAC,TYPE\r\nPC01,1.1.1.1,00:11,1\r\n", "信佑TXT", "列表类型: 信佑TXT", "PC01", 1},
  };
  test::TempDir dir;
  int n = 0;
  for (const Case& c : cases) {
    test::TestApp app;
    std::string path = dir.write("dropped" + std::to_string(n++) + ".lst", c.file);
    EXPECT_EQ(app.converter.openDropped(path), c.type);
    EXPECT_EQ(app.grid().status(kTypeField), c.typeField) << c.type;
    EXPECT_EQ(app.grid().rowCount(), c.rows) << c.type;
    EXPECT_EQ(app.grid().cell(0, kColName), c.firstName) << c.type;
    EXPECT_EQ(app.grid().status(kCountField), countFieldText(c.rows)) << c.type;
  }
}

}  // namespace
}  // namespace tl
