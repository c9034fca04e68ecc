#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "readers/ini_value.h"
#include "readers/mzd_ini_reader.h"
#include "readers/ruiqi_wks_ini_reader.h"
#include "readers/wangzhong_ini_reader.h"
#include "readers/yileyou_client_list_reader.h"
#include "tests/support/fake_platform.h"
#include "tests/support/grid_rows.h"
#include "tests/support/reader_cases.h"
#include "tests/support/temp_dir.h"

namespace tl {
namespace {

using Rows = std::vector<ClientRow>;

using test::runCases;

TEST(IniReaders, Wangzhong) {
  runCases(readWangzhongList,
           {
               {"two clients",
                "[PC01]\r\nip=192.168.0.11\r\nmac=00:11:22:aa:bb:cc\r\nmask=255.255.0.0\r\nGateway=192.168.0.1\r\n"
                "[PC02]\r\nIP=192.168.0.12\r\nMAC=00-11-22-33-44-56\r\n",
                {{"1", "PC01", "192.168.0.11", "00-11-22-aa-bb-cc", "255.255.0.0", "192.168.0.1", "10.0.0.1", "10.0.0.2"},
                 {"2", "PC02", "192.168.0.12", "00-11-22-33-44-56", "", "", "10.0.0.1", "10.0.0.2"}},
                "客户机总数: 2"},
               {"a section without keys still is a client", "[网吧01]\r\n",
                {{"1", "网吧01", "", "", "", "", "10.0.0.1", "10.0.0.2"}}, "客户机总数: 1"},
               {"no sections", "ip=1.2.3.4\r\n", {}, "客户机总数: 0"},
           });
}

TEST(IniReaders, YileyouClientList) {
  auto client = [](const char* dns) {
    return "[00-11-22-33-44-55]\r\ncomputer=PC01\r\nip=192.168.0.11\r\nmac=00:11:22:33:44:55\r\n"
           "subnetmask=255.255.255.0\r\nGateway=192.168.0.1\r\ndns=" +
           std::string(dns) + "\r\n";
  };
  auto row = [](const char* dns1, const char* dns2) {
    return ClientRow{"1", "PC01", "192.168.0.11", "00:11:22:33:44:55", "255.255.255.0", "192.168.0.1", dns1, dns2};
  };
  runCases(readYileyouClientList,
           {
               {"two DNS servers", client("10.1.1.1,10.1.1.2"), {row("10.1.1.1", "10.1.1.2")}, "客户机总数: 1"},
               {"one DNS server", client("10.1.1.1"), {row("10.1.1.1", "")}, "客户机总数: 1"},
               {"empty DNS is not filled from the machine", client(""), {row("", "")}, "客户机总数: 1"},
               {"first piece empty", client(",10.1.1.2"), {row("", "10.1.1.2")}, "客户机总数: 1"},
               {"empty last piece dropped", client("10.1.1.1,"), {row("10.1.1.1", "")}, "客户机总数: 1"},
               {"third server ignored", client("1.1.1.1,2.2.2.2,3.3.3.3"), {row("1.1.1.1", "2.2.2.2")},
                "客户机总数: 1"},
               {"missing keys are empty", "[A]\r\n[B]\r\n",
                {{"1", "", "", "", "", "", "", ""}, {"2", "", "", "", "", "", "", ""}}, "客户机总数: 2"},
           });
}

TEST(IniReaders, MzdIni) {
  runCases(readMzdIni,
           {
               {"settings section skipped, numbering without gaps",
                "[Setting]\r\nServer=1\r\n[工作站1]\r\nComName=PC01\r\nWksIP=192.168.0.11\r\nmac=001122aabbcc\r\n"
                "[Other]\r\nComName=没有\r\n[工作站2]\r\nComName=PC02\r\nWksIP=192.168.0.12\r\n"
                "[Empty]\r\nComName=\r\n[工作站3]\r\nComName=PC03\r\nmac=00112\r\n",
                {{"1", "PC01", "192.168.0.11", "00-11-22-AA-BB-CC", "255.255.255.0", "192.168.1.1", "10.0.0.1",
                  "10.0.0.2"},
                 {"2", "PC02", "192.168.0.12", "", "255.255.255.0", "192.168.1.1", "10.0.0.1", "10.0.0.2"},
                 {"3", "PC03", "", "00-11-2", "255.255.255.0", "192.168.1.1", "10.0.0.1", "10.0.0.2"}},
                "客户机总数: 3"},
               {"no client sections", "[Setting]\r\nx=1\r\n", {}, "客户机总数: 0"},
           });
}

TEST(IniReaders, RuiqiWksIni) {
  runCases(readRuiqiWksIni,
           {
               {"all keys",
                "[001122aabbcc]\r\nWksName=PC01\r\nIpAddr=192.168.0.11\r\nNetmask=255.255.255.0\r\n"
                "Gateway=192.168.0.1\r\nPreferredDNS=8.8.8.8\r\nBackupDNS=8.8.4.4\r\n",
                {{"1", "PC01", "192.168.0.11", "00-11-22-AA-BB-CC", "255.255.255.0", "192.168.0.1", "8.8.8.8",
                  "8.8.4.4"}},
                "客户机总数: 1"},
               {"missing keys show 没有", "[001122AABBCC]\r\nWksName=PC01\r\n[A1B2C3D4E5F6]\r\n",
                {{"1", "PC01", "没有", "00-11-22-AA-BB-CC", "没有", "没有", "没有", "没有"},
                 {"2", "没有", "没有", "A1-B2-C3-D4-E5-F6", "没有", "没有", "没有", "没有"}},
                "客户机总数: 2"},
               {"an empty value stays empty", "[001122AABBCC]\r\nWksName=\r\n",
                {{"1", "", "没有", "00-11-22-AA-BB-CC", "没有", "没有", "没有", "没有"}}, "客户机总数: 1"},
           });
}

TEST(IniReaders, CountFieldBeforeOrAfterTheRows) {
  test::TempDir dir;
  std::string path = dir.write("list.ini", "[PC01]\r\nComName=PC01\r\n[PC02]\r\nComName=PC02\r\n");
  struct Case {
    const char* what;
    ListReader reader;
    std::vector<int> rowsWhenWritten;
  };
  const Case cases[] = {
      {"网众", readWangzhongList, {0}},
      {"易乐游", readYileyouClientList, {0}},
      {"锐起", readRuiqiWksIni, {0}},
      {"MZD counts the rows it added", readMzdIni, {2}},
  };
  for (const Case& c : cases) {
    test::TestApp app;
    test::CountFieldWatch watch(app.grid());
    app.grid().setObserver(&watch);
    ReaderContext context = app.context();
    c.reader(context, path);
    EXPECT_EQ(watch.rowsWhenWritten, c.rowsWhenWritten) << c.what;
    app.grid().setObserver(nullptr);
  }
}

TEST(IniReaders, MissingFileGivesNoRowsAndCountZero) {
  test::TempDir dir;
  for (ListReader reader : {readWangzhongList, readYileyouClientList, readMzdIni, readRuiqiWksIni}) {
    test::TestApp app;
    app.grid().appendRow("1");  // the previous list
    ReaderContext context = app.context();
    reader(context, dir.file("missing.ini"));
    EXPECT_EQ(app.grid().rowCount(), 0);
    EXPECT_EQ(app.grid().status(kCountField), "客户机总数: 0");
    EXPECT_TRUE(app.ui.messages.empty());
  }
}

// Records the calls that reach the platform.
class RecordingIniFiles : public platform::IniFiles {
 public:
  std::vector<std::string> sectionNames(const std::string&) override { return {}; }
  std::string value(const std::string& path, const std::string& section, const std::string& key,
                    const std::string& fallback) override {
    calls.push_back({path, section, key, fallback});
    return "found";
  }
  std::vector<std::vector<std::string>> calls;
};

TEST(IniValue, LeadingControlsSkippedAndEmptyPartsNotAsked) {
  struct Case {
    std::string path, section, key;
    std::string expected;
    std::vector<std::string> call;  // empty: the platform is not called
  };
  const Case cases[] = {
      {"a.ini", "S", "k", "found", {"a.ini", "S", "k", "dflt"}},
      {" \t\r\na.ini", "\x01 S ", "\x1fk\x20", "found", {"a.ini", "S ", "k ", "dflt"}},
      {"a.ini", "  ", "k", "", {}},
      {"a.ini", "S", "", "", {}},
      {"\x01\x02", "S", "k", "", {}},
      {"a.ini", "\x81\x40", "k", "found", {"a.ini", "\x81\x40", "k", "dflt"}},  // bytes above 32 stay
  };
  for (const Case& c : cases) {
    RecordingIniFiles ini;
    EXPECT_EQ(readIniValue(ini, c.path, c.section, c.key, "dflt"), c.expected) << c.path;
    if (c.call.empty()) {
      EXPECT_TRUE(ini.calls.empty()) << c.path;
    } else {
      ASSERT_EQ(ini.calls.size(), 1u) << c.path;
      EXPECT_EQ(ini.calls[0], c.call);
    }
  }
}

}  // namespace
}  // namespace tl
