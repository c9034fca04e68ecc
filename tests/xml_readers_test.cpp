// The 网维大师, 方格子XML, 快吧 and 盛九PXD readers over files made here.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "readers/fanggezi_xml_reader.h"
#include "readers/kuaiba_xml_reader.h"
#include "readers/shengjiu_pxd_reader.h"
#include "readers/wangwei_dashi_xml_reader.h"
#include "tests/support/fake_platform.h"
#include "tests/support/temp_dir.h"

namespace tl {
namespace {

using Cells = std::vector<std::string>;  // columns 0..7

std::string utf8(const char8_t* s) { return reinterpret_cast<const char*>(s); }

Cells rowCells(const ClientGrid& grid, int row) {
  Cells cells;
  for (int column = 0; column < kColumnCount; ++column) cells.push_back(grid.cell(row, column));
  return cells;
}

// Remembers how many rows the grid held when the count field was written.
struct CountWatch : GridObserver {
  explicit CountWatch(ClientGrid& grid) : grid(grid) { grid.setObserver(this); }
  ~CountWatch() override { grid.setObserver(nullptr); }
  void statusChanged(int part) override {
    if (part == kCountField) rowsAtCount.push_back(grid.rowCount());
  }
  ClientGrid& grid;
  std::vector<int> rowsAtCount;
};

struct ReaderRun {
  test::TestApp app;
  test::TempDir dir;

  const ClientGrid& read(ListReader reader, const std::string& document) {
    ReaderContext context = app.context();
    reader(context, dir.write("list.xml", document));
    return app.grid();
  }
};

TEST(WangweiDashiXml, PositionalFieldsAndIntegerAddresses) {
  const std::string document =
      "<?xml version=\"1.0\" encoding=\"gb2312\"?>\n"
      "<ClientInfor>\n"
      " <Client><Name>PC01</Name><Mac>001a2b3c4d5e</Mac><Ip>3232235777</Ip><Mask>4294967040</Mask>"
      "<Gate>3232236030</Gate><Dns1>134744072</Dns1><Dns2></Dns2></Client>\n"
      " <Client><N>PC02</N><M>001a2b3c4d5</M><I>192.168.1.1</I></Client>\n"
      " <Client><Mac>00-1a-2b</Mac><Name>PC03</Name><X>-1062731775</X></Client>\n"
      " <Header><Version>7</Version></Header>\n"
      "</ClientInfor>";
  ReaderRun run;
  CountWatch watch(run.app.grid());
  const ClientGrid& grid = run.read(readWangweiDashiXml, document);
  ASSERT_EQ(grid.rowCount(), 4);
  EXPECT_EQ(rowCells(grid, 0), (Cells{"1", "PC01", "192.168.1.1", "00-1A-2B-3C-4D-5E", "255.255.255.0",
                                      "192.168.1.254", "8.8.8.8", "0.0.0.0"}));
  EXPECT_EQ(rowCells(grid, 1), (Cells{"2", "PC02", "0.0.0.192", "00-1A-2B-3C-4D-5", "0.0.0.0", "0.0.0.0",
                                      "0.0.0.0", "0.0.0.0"}));
  // Swapped elements swap the fields; a MAC with separators is cut blindly.
  EXPECT_EQ(rowCells(grid, 2), (Cells{"3", "00-1a-2b", "192.168.0.1", "PC-03", "0.0.0.0", "0.0.0.0",
                                      "0.0.0.0", "0.0.0.0"}));
  // A non-client child of the root still gives a row.
  EXPECT_EQ(rowCells(grid, 3), (Cells{"4", "7", "0.0.0.0", "", "0.0.0.0", "0.0.0.0", "0.0.0.0", "0.0.0.0"}));
  EXPECT_EQ(grid.status(kCountField), "客户机总数: 4");
  EXPECT_EQ(watch.rowsAtCount, (std::vector<int>{0}));  // written before the rows
  EXPECT_TRUE(run.app.ui.messages.empty());
}

TEST(WangweiDashiXml, SeparatedMacIsCutInTwoByteSlices) {
  ReaderRun run;
  const ClientGrid& grid =
      run.read(readWangweiDashiXml, "<ClientInfor><C><N>a</N><M>00-1a-2b</M></C></ClientInfor>");
  ASSERT_EQ(grid.rowCount(), 1);
  EXPECT_EQ(grid.cell(0, kColMac), "00--1-A--2B");
}

TEST(FanggeziXml, AttributesMacDashesAndLocalDns) {
  const std::string document =
      "<NMenu>\n"
      "<Computer Name=\"PC01\" MAC=\"00:11:22:aa:bb:cc\" IP=\"192.168.1.11\" Netmask=\"255.255.0.0\" "
      "Gateway=\"192.168.1.254\"/>\n"
      "<Computer Name=\"PC02\" MAC=\"00-11-22-AA-BB-CD\" IP=\"192.168.1.12\"/>\n"
      "<Computer/>\n"
      "</NMenu>";
  ReaderRun run;
  CountWatch watch(run.app.grid());
  const ClientGrid& grid = run.read(readFanggeziXml, document);
  ASSERT_EQ(grid.rowCount(), 3);
  EXPECT_EQ(rowCells(grid, 0), (Cells{"1", "PC01", "192.168.1.11", "00-11-22-aa-bb-cc", "255.255.0.0",
                                      "192.168.1.254", "10.0.0.1", "10.0.0.2"}));
  // Missing attributes are empty, never the previous client's values.
  EXPECT_EQ(rowCells(grid, 1),
            (Cells{"2", "PC02", "192.168.1.12", "00-11-22-AA-BB-CD", "", "", "10.0.0.1", "10.0.0.2"}));
  EXPECT_EQ(rowCells(grid, 2), (Cells{"3", "", "", "", "", "", "10.0.0.1", "10.0.0.2"}));
  EXPECT_EQ(grid.status(kCountField), "客户机总数: 3");
  EXPECT_EQ(watch.rowsAtCount, (std::vector<int>{0}));
}

TEST(KuaibaXml, RegroupedMacLocalNetworkAndNamedClientsOnly) {
  const std::string document =
      "<KB Version=\"3\"><Clients>\n"
      "<C cName=\"PC01\" MAC=\"001122aabbcc\" clientIP=\"192.168.0.1\"/>\n"
      "<C MAC=\"001122aabbcd\" clientIP=\"192.168.0.2\"/>\n"
      "<C cName=\"PC03\" MAC=\"00:11:22\"/>\n"
      "<C cName=\"PC04\" clientIP=\"192.168.0.4\"/>\n"
      "</Clients></KB>";
  ReaderRun run;
  CountWatch watch(run.app.grid());
  const ClientGrid& grid = run.read(readKuaibaXml, document);
  ASSERT_EQ(grid.rowCount(), 3);
  EXPECT_EQ(rowCells(grid, 0), (Cells{"1", "PC01", "192.168.0.1", "00-11-22-AA-BB-CC", "255.255.255.0",
                                      "192.168.1.1", "10.0.0.1", "10.0.0.2"}));
  // The nameless client is skipped even after a named one; no value carries over.
  EXPECT_EQ(rowCells(grid, 1),
            (Cells{"2", "PC03", "", "00-:1-1:-22", "255.255.255.0", "192.168.1.1", "10.0.0.1", "10.0.0.2"}));
  EXPECT_EQ(rowCells(grid, 2),
            (Cells{"3", "PC04", "192.168.0.4", "", "255.255.255.0", "192.168.1.1", "10.0.0.1", "10.0.0.2"}));
  EXPECT_EQ(grid.status(kCountField), "客户机总数: 3");
  EXPECT_EQ(watch.rowsAtCount, (std::vector<int>{3}));  // written after the rows
}

TEST(ShengjiuPxd, SkipsTheUnnamedAndCountsTheRest) {
  const std::string document =
      "<PXD Version=\"2\"><List>"
      "<W ComName=\"\" MAC=\"aabbccddeeff\" WksIP=\"10.1.1.1\"/>"
      "<W ComName=\"W01\" MAC=\"aabbccddee01\" WksIP=\"10.1.1.2\"/>"
      "<W ComName=\"W02\" MAC=\"aabbccddee02\" WksIP=\"10.1.1.3\"/>"
      "</List></PXD>";
  ReaderRun run;
  run.app.network.dns = {{"{A1}", ""}};  // no local DNS: the DNS cells stay empty
  const ClientGrid& grid = run.read(readShengjiuPxd, document);
  ASSERT_EQ(grid.rowCount(), 2);
  EXPECT_EQ(rowCells(grid, 0),
            (Cells{"1", "W01", "10.1.1.2", "AA-BB-CC-DD-EE-01", "255.255.255.0", "192.168.1.1", "", ""}));
  EXPECT_EQ(rowCells(grid, 1),
            (Cells{"2", "W02", "10.1.1.3", "AA-BB-CC-DD-EE-02", "255.255.255.0", "192.168.1.1", "", ""}));
  EXPECT_EQ(grid.status(kCountField), "客户机总数: 2");
}

TEST(XmlListReaders, Utf8DocumentsShowChineseNames) {
  struct Case {
    const char* label;
    ListReader reader;
    std::string document;
  };
  const std::string declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  const std::vector<Case> cases = {
      {"网维大师", readWangweiDashiXml,
       declaration + utf8(u8"<ClientInfor><客户机><名称>网吧一号</名称></客户机></ClientInfor>")},
      {"方格子XML", readFanggeziXml, declaration + utf8(u8"<NMenu><C Name=\"网吧一号\"/></NMenu>")},
      {"快吧", readKuaibaXml, declaration + utf8(u8"<KB><L><C cName=\"网吧一号\"/></L></KB>")},
      {"盛九", readShengjiuPxd, declaration + utf8(u8"<PXD><L><C ComName=\"网吧一号\"/></L></PXD>")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    ReaderRun run;
    const ClientGrid& grid = run.read(c.reader, c.document);
    ASSERT_EQ(grid.rowCount(), 1);
    EXPECT_EQ(grid.cell(0, kColName), "网吧一号");
  }
}

TEST(XmlListReaders, UnreadableOrBrokenFilesGiveAnEmptyList) {
  struct Case {
    const char* label;
    ListReader reader;
  };
  const std::vector<Case> readers = {{"网维大师", readWangweiDashiXml},
                                     {"方格子XML", readFanggeziXml},
                                     {"快吧", readKuaibaXml},
                                     {"盛九", readShengjiuPxd}};
  for (const Case& c : readers) {
    SCOPED_TRACE(c.label);
    ReaderRun run;
    // A good list first, so that a stale grid or document would show.
    run.read(c.reader, "<A><B><C Name=\"x\" cName=\"x\" ComName=\"x\"/></B><D/></A>");
    ASSERT_GT(run.app.grid().rowCount(), 0);

    for (const std::string& broken : {std::string("<A><B></C></A>"), std::string("not xml"), std::string()}) {
      const ClientGrid& grid = run.read(c.reader, broken);
      EXPECT_EQ(grid.rowCount(), 0);
      EXPECT_EQ(grid.status(kCountField), "客户机总数: 0");
    }
    ReaderContext context = run.app.context();
    c.reader(context, run.dir.file("missing.xml"));
    EXPECT_EQ(run.app.grid().rowCount(), 0);
    EXPECT_EQ(run.app.grid().status(kCountField), "客户机总数: 0");
    EXPECT_TRUE(run.app.ui.messages.empty());
  }
}

TEST(XmlListReaders, DroppedFilesReachTheirReaders) {
  struct Case {
    const char* label;
    std::string document;
    std::string type;
    std::string typeText;
    Cells firstRow;
  };
  const std::vector<Case> cases = {
      {"网维大师", "<ClientInfor><C><N>PC01</N><M>0011223344aa</M><I>3232235777</I></C></ClientInfor>",
       "网维大师", "列表类型: 网维大师",
       Cells{"1", "PC01", "192.168.1.1", "00-11-22-33-44-AA", "0.0.0.0", "0.0.0.0", "0.0.0.0", "0.0.0.0"}},
      {"方格子XML", "<NMenu><!-- Computer Name list --><C Name=\"PC01\" MAC=\"00:11:22:33:44:aa\"/></NMenu>",
       "方格子XML", "列表类型: 方格子XML",
       Cells{"1", "PC01", "", "00-11-22-33-44-aa", "", "", "10.0.0.1", "10.0.0.2"}},
      {"快吧", "<R KB Version=\"1\"><L><C cName=\"PC01\" MAC=\"0011223344aa\" clientIP=\"10.0.0.9\"/></L></R>",
       "快吧", "列表类型: 快吧无盘",
       Cells{"1", "PC01", "10.0.0.9", "00-11-22-33-44-AA", "255.255.255.0", "192.168.1.1", "10.0.0.1",
             "10.0.0.2"}},
      {"盛九", "<R PXD Version=\"1\"><L><C ComName=\"PC01\" MAC=\"0011223344aa\" WksIP=\"10.0.0.9\"/></L></R>",
       "PXD", "列表类型: 盛九PXD无盘",
       Cells{"1", "PC01", "10.0.0.9", "00-11-22-33-44-AA", "255.255.255.0", "192.168.1.1", "10.0.0.1",
             "10.0.0.2"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    test::TestApp app;
    test::TempDir dir;
    std::string path = dir.write("list.xml", c.document);
    EXPECT_EQ(app.converter.openDropped(path), c.type);
    EXPECT_EQ(app.grid().status(kTypeField), c.typeText);
    ASSERT_EQ(app.grid().rowCount(), 1);
    EXPECT_EQ(rowCells(app.grid(), 0), c.firstRow);
    EXPECT_EQ(app.grid().status(kCountField), "客户机总数: 1");
  }
}

}  // namespace
}  // namespace tl
