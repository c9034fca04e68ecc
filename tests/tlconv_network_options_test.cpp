// tlconv's NETWORK options reach the readers through the same values the
// window uses.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/cli_session.h"
#include "cli/tlconv_app.h"
#include "tests/support/sqlite_fixture.h"
#include "tests/support/temp_dir.h"

namespace tl {
namespace {

struct DnsOptionCase {
  std::vector<std::string> options;
  std::string dns1, dns2;
};

TEST(TlconvNetworkOptions, LocalDnsFillsTheFanggeziDnsCells) {
  test::TempDir dir;
  std::string db = dir.file("comp.db");
  ASSERT_EQ(test::makeDatabase(db,
                               "create table comp(NAME text, IP4 text, MAC text, NMASK4 text, GTWAY4 text);"
                               "insert into comp values('A1', '192.168.0.10', '00:1a', '255.255.255.0', '192.168.0.1');"),
            "");
  const DnsOptionCase cases[] = {
      {{"--local-dns", "8.8.8.8,114.114.114.114"}, "8.8.8.8", "114.114.114.114"},
      {{"--local-dns", "8.8.8.8"}, "8.8.8.8", ""},
      {{"--local-dns", ",9.9.9.9,1.1.1.1"}, "", "9.9.9.9"},
      // The empty text means no local DNS servers, whatever the machine has.
      {{"--local-dns", ""}, "", ""},
      {{"--local-dns="}, "", ""},
      {{"--local-dns=", "--local-mask", "255.0.0.0", "--local-gateway", "10.0.0.1"}, "", ""},
      {{"--local-mask=", "--local-dns=7.7.7.7,"}, "7.7.7.7", ""},
  };
  for (const DnsOptionCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.options));
    std::vector<std::string> args = {"show", "--json"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    args.push_back(db);
    std::ostringstream out, err;
    ASSERT_EQ(cli::runTlconv(args, out, err), 0) << err.str();
    nlohmann::json doc = nlohmann::json::parse(out.str());
    ASSERT_EQ(doc["rows"].size(), 1u);
    EXPECT_EQ(doc["rows"][0][5], "192.168.0.1");  // the list's own gateway, not the local one
    EXPECT_EQ(doc["rows"][0][6], c.dns1);
    EXPECT_EQ(doc["rows"][0][7], c.dns2);
  }
}

// Mask and gateway are not used by the SQLite lists; the readers of the
// other formats ask the same object, so the options must land there.
TEST(TlconvNetworkOptions, MaskAndGatewayReachTheReadersValues) {
  test::TempDir dir;
  std::string db = dir.file("comp.db");
  ASSERT_EQ(test::makeDatabase(db, "create table comp(NAME text, IP4 text, MAC text, NMASK4 text, GTWAY4 text);"), "");
  std::ostringstream err;
  cli::Session session(err);
  cli::Options options;
  options.file = db;
  options.localMask = "255.255.0.0";
  options.localGateway = "";
  options.localDns = "10.1.1.1,10.1.1.2";
  bool read = false;
  EXPECT_EQ(cli::openListFile(session, options, read), "方格子");
  EXPECT_TRUE(read);
  LocalNetworkDefaults& network = session.converter.readerContext().network;
  EXPECT_EQ(network.subnetMask(), "255.255.0.0");
  EXPECT_EQ(network.gateway(), "");
  EXPECT_EQ(network.dnsText(), "10.1.1.1,10.1.1.2");
}

}  // namespace
}  // namespace tl
