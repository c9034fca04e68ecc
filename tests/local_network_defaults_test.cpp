// The local subnet mask, gateway and DNS text that fill the columns a list
// lacks, over a fake platform, and once over the real machine.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "data/text/gbk_text.h"
#include "readers/dns_cells.h"
#include "readers/fanggezi_db_reader.h"
#include "readers/local_network_defaults.h"
#include "tests/support/fake_platform.h"
#include "tests/support/sqlite_fixture.h"
#include "tests/support/temp_dir.h"

namespace tl {
namespace {

using platform::AdapterInfo;
using test::FakeLocalNetwork;

struct AdapterCase {
  const char* label;
  std::vector<AdapterInfo> adapters;
  std::vector<std::pair<std::string, std::string>> dns;  // adapter name, NameServer text
  bool platformAnswers;
  std::string mask, gateway, dnsText;
};

const std::vector<AdapterCase> kAdapterCases = {
    {"one adapter",
     {{"{A}", {"255.255.255.0"}, {"192.168.1.1"}}},
     {{"{A}", "10.0.0.1,10.0.0.2"}},
     true, "255.255.255.0", "192.168.1.1", "10.0.0.1,10.0.0.2"},
    {"the last adapter decides even without a gateway",
     {{"{A}", {"255.255.255.0"}, {"192.168.1.1"}}, {"{B}", {"255.255.0.0"}, {}}},
     {{"{A}", "10.0.0.1"}},
     true, "255.255.0.0", "", ""},
    {"the last adapter's one empty entry (Windows form) decides",
     {{"{A}", {"255.255.255.0"}, {"192.168.1.1"}}, {"{B}", {"0.0.0.0"}, {""}}},
     {{"{B}", "10.9.9.9"}},
     true, "0.0.0.0", "", "10.9.9.9"},
    {"the last entry of the last adapter",
     {{"{A}", {"255.0.0.0"}, {"10.0.0.1"}}, {"{B}", {"255.255.255.0", "255.255.255.128"}, {"172.16.0.1", "172.16.0.2"}}},
     {{"{A}", "1.1.1.1"}, {"{B}", "2.2.2.2,3.3.3.3"}},
     true, "255.255.255.128", "172.16.0.2", "2.2.2.2,3.3.3.3"},
    {"an adapter without addresses last",
     {{"{A}", {"255.255.255.0"}, {"192.168.1.1"}}, {"{B}", {}, {}}},
     {{"{A}", "1.1.1.1"}},
     true, "", "", ""},
    {"no adapters", {}, {}, true, "", "", ""},
    {"the platform call fails",
     {{"{A}", {"255.255.255.0"}, {"192.168.1.1"}}},
     {{"{A}", "1.1.1.1"}},
     false, "", "", ""},
};

TEST(LocalNetworkDefaults, LastEntryOfTheLastAdapterWins) {
  for (const AdapterCase& c : kAdapterCases) {
    SCOPED_TRACE(c.label);
    FakeLocalNetwork network;
    network.adapterList = c.adapters;
    network.dns = {c.dns.begin(), c.dns.end()};
    network.ok = c.platformAnswers;
    NetworkOverrides none;
    LocalNetworkDefaults defaults(network, none);
    EXPECT_EQ(defaults.subnetMask(), c.mask);
    EXPECT_EQ(defaults.gateway(), c.gateway);
    EXPECT_EQ(defaults.dnsText(), c.dnsText);
  }
}

// "old" marks a cell the rule left alone.
struct DnsCase {
  std::string text;
  std::string dns1, dns2;
};

TEST(LocalNetworkDefaults, DnsFillPutsASingleServerIntoDns1) {
  const DnsCase cases[] = {
      {"", "old", "old"},
      {"10.0.0.1", "10.0.0.1", "old"},
      {"10.0.0.1,10.0.0.2", "10.0.0.1", "10.0.0.2"},
      {"10.0.0.1,10.0.0.2,10.0.0.3", "10.0.0.1", "10.0.0.2"},
      {",10.0.0.2", "", "10.0.0.2"},
      {"10.0.0.1,", "10.0.0.1", "old"},
      {" 10.0.0.1 , 10.0.0.2", " 10.0.0.1 ", " 10.0.0.2"},
      {",", "", "old"},
  };
  for (const DnsCase& c : cases) {
    SCOPED_TRACE(c.text);
    FakeLocalNetwork network;
    network.setSingle("255.255.255.0", "192.168.1.1", c.text);
    NetworkOverrides none;
    LocalNetworkDefaults defaults(network, none);
    ClientGrid grid;
    int row = grid.appendRow("1");
    grid.setCell(row, kColDns1, "old");
    grid.setCell(row, kColDns2, "old");
    defaults.fillDns(grid, row);
    EXPECT_EQ(grid.cell(row, kColDns1), c.dns1);
    EXPECT_EQ(grid.cell(row, kColDns2), c.dns2);
  }
}

TEST(LocalNetworkDefaults, CommaListRuleIgnoresATextWithoutComma) {
  const DnsCase cases[] = {
      {"", "old", "old"},
      {"1.1.1.1", "old", "old"},
      {"1.1.1.1,2.2.2.2", "1.1.1.1", "2.2.2.2"},
      {"1.1.1.1,", "1.1.1.1", "old"},
      {"1.1.1.1, 2.2.2.2", "1.1.1.1", " 2.2.2.2"},
      {",2.2.2.2", "", "2.2.2.2"},
      {"1.1.1.1,2.2.2.2,3.3.3.3", "1.1.1.1", "2.2.2.2"},
      {",,3.3.3.3", "", ""},
      {",", "", "old"},
  };
  for (const DnsCase& c : cases) {
    SCOPED_TRACE(c.text);
    ClientGrid grid;
    int row = grid.appendRow("1");
    grid.setCell(row, kColDns1, "old");
    grid.setCell(row, kColDns2, "old");
    setDnsFromCommaList(grid, row, c.text);
    EXPECT_EQ(grid.cell(row, kColDns1), c.dns1);
    EXPECT_EQ(grid.cell(row, kColDns2), c.dns2);
  }
}

TEST(LocalNetworkDefaults, OverridesStandForTheMachinesValues) {
  FakeLocalNetwork network;
  network.setSingle("255.255.255.0", "192.168.1.1", "10.0.0.1,10.0.0.2");
  NetworkOverrides overrides;
  LocalNetworkDefaults defaults(network, overrides);
  overrides.mask = "255.0.0.0";
  overrides.gateway = "";
  overrides.dnsText = "8.8.8.8";
  EXPECT_EQ(defaults.subnetMask(), "255.0.0.0");
  EXPECT_EQ(defaults.gateway(), "");  // given as the empty text: empty
  EXPECT_EQ(defaults.dnsText(), "8.8.8.8");
  overrides.dnsText.reset();
  EXPECT_EQ(defaults.dnsText(), "10.0.0.1,10.0.0.2");
}

TEST(LocalNetworkDefaults, OutsideAReadEveryCallAsksAfresh) {
  FakeLocalNetwork network;
  network.setSingle("255.255.255.0", "192.168.1.1", "10.0.0.1");
  NetworkOverrides none;
  LocalNetworkDefaults defaults(network, none);
  EXPECT_EQ(defaults.gateway(), "192.168.1.1");
  network.setSingle("255.255.0.0", "172.16.0.1", "10.0.0.9");
  EXPECT_EQ(defaults.gateway(), "172.16.0.1");
  EXPECT_EQ(defaults.subnetMask(), "255.255.0.0");
  EXPECT_EQ(defaults.dnsText(), "10.0.0.9");
}

TEST(LocalNetworkDefaults, OneListReadAsksThePlatformOnceAndTheNextReadAgain) {
  test::TempDir dir;
  std::string db = dir.file("comp.db");
  std::string sql = "create table comp(NAME text, IP4 text, MAC text, NMASK4 text, GTWAY4 text);";
  for (int i = 0; i < 50; ++i) sql += "insert into comp values('PC" + std::to_string(i) + "', '10.0.0.1', '', '', '');";
  ASSERT_EQ(test::makeDatabase(db, "begin;" + sql + "commit;"), "");

  test::TestApp app;
  app.network.calls = 0;
  app.converter.openListFile(db);
  ASSERT_EQ(app.grid().rowCount(), 50);
  EXPECT_EQ(app.network.calls, 1);
  EXPECT_EQ(app.grid().cell(49, kColDns2), "10.0.0.2");

  // The machine changed between two reads: the next read shows it.
  app.network.setSingle("255.255.255.0", "192.168.1.1", "10.0.0.7");
  app.converter.openListFile(db);
  EXPECT_EQ(app.network.calls, 2);
  EXPECT_EQ(app.grid().cell(0, kColDns1), "10.0.0.7");
  EXPECT_EQ(app.grid().cell(0, kColDns2), "");

  // The NETWORK overrides hold inside a read too.
  app.converter.networkOverrides().dnsText = ",9.9.9.9";
  app.converter.openListFile(db);
  EXPECT_EQ(app.grid().cell(0, kColDns1), "");
  EXPECT_EQ(app.grid().cell(0, kColDns2), "9.9.9.9");
}

bool isDottedQuadOrEmpty(const std::string& address) {
  if (address.empty()) return true;
  std::vector<std::string> pieces = text::split(address, '.');
  if (pieces.size() != 4) return false;
  for (const std::string& piece : pieces)
    if (piece.empty() || piece.size() > 3 || piece.find_first_not_of("0123456789") != std::string::npos) return false;
  return true;
}

// Whatever this machine's configuration: the platform answers and its
// addresses are dotted quads.
TEST(LocalNetworkDefaults, TheRealMachineAnswers) {
  std::unique_ptr<platform::LocalNetwork> network = platform::makeSystemLocalNetwork();
  std::vector<AdapterInfo> adapters;
  if (network->adapters(adapters)) {
    for (const AdapterInfo& adapter : adapters) {
      SCOPED_TRACE(adapter.name);
      EXPECT_FALSE(adapter.name.empty());
      for (const std::string& mask : adapter.masks) EXPECT_TRUE(isDottedQuadOrEmpty(mask)) << mask;
      for (const std::string& gateway : adapter.gateways) EXPECT_TRUE(isDottedQuadOrEmpty(gateway)) << gateway;
      network->dnsServerText(adapter.name);
    }
  }
  NetworkOverrides none;
  LocalNetworkDefaults defaults(*network, none);
  LocalNetworkDefaults::ReadScope read(defaults);
  EXPECT_TRUE(isDottedQuadOrEmpty(defaults.subnetMask()));
  EXPECT_TRUE(isDottedQuadOrEmpty(defaults.gateway()));
  ClientGrid grid;
  defaults.fillDns(grid, grid.appendRow("1"));
}

}  // namespace
}  // namespace tl
