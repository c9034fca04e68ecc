#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/tlconv_app.h"
#include "platform/text_codec.h"
#include "tests/support/sqlite_fixture.h"
#include "tests/support/temp_dir.h"
#include "tests/support/tlconv_run.h"

namespace tl {
namespace {

using test::TempDir;
using test::tlconv;
using Rows = std::vector<std::vector<std::string>>;

class TlconvImport : public testing::Test {
 protected:
  void SetUp() override {
    source = dir.file("source.db");
    target = dir.file("target.db");
    ASSERT_EQ(test::makeDatabase(source, std::string(test::kClientTable) +
                                             "insert into cs_client_info(client_name,client_mac,client_ip,client_mask,"
                                             "client_gate_way) values('PC01','001a2b3c4d01','3232235777','4294967040',"
                                             "'3232235876'),('PC02','001a2b3c4d02','3232235778','','3232235876');"),
              "");
    ASSERT_EQ(test::makeDatabase(target, std::string(test::kClientTable) +
                                             "insert into cs_client_info(client_name) values('OLD');"),
              "");
  }
  Rows targetRows() { return test::queryRows(target, "select client_name, client_mac, client_ip, client_mask,"
                                                     " client_group_name from cs_client_info order by id"); }

  TempDir dir;
  std::string source, target;
};

// The command line's texts are UTF-8; the literals here are GBK.
std::string utf8(const std::string& gbk) { return platform::gbkToUtf8(gbk); }

// UTF-8 on the command line and in the output; GBK in the database.
TEST_F(TlconvImport, ImportsIntoTheGivenDatabase) {
  test::TlconvRun run = tlconv({"import", "--db", target, "--no-restart", "--json", source});
  EXPECT_EQ(run.status, 0) << run.err;
  auto doc = nlohmann::json::parse(run.out);
  EXPECT_EQ(doc["type"], utf8("汀澜无盘"));
  EXPECT_EQ(doc["status"][2], utf8("导入完毕"));
  EXPECT_TRUE(doc["messages"].empty());  // no closing box without the restart
  EXPECT_NE(run.err.find("--no-restart"), std::string::npos) << run.err;
  EXPECT_EQ(targetRows(), (Rows{{"PC01", "001A2B3C4D01", "3232235777", "4294967040", "默认分组"},
                               {"PC02", "001A2B3C4D02", "3232235778", "0", "默认分组"}}));
}

TEST_F(TlconvImport, RestartIsReportedAsThePlatformAllows) {
  test::TlconvRun run = tlconv({"import", "--db", target, source});
  EXPECT_EQ(run.status, 0) << run.err;  // the import is committed either way
#ifdef _WIN32
  // No "sentry_bs" service exists here: the closing box says the restart failed.
  EXPECT_NE(run.err.find(utf8("汀澜主服务重启失败")), std::string::npos) << run.err;
#else
  EXPECT_NE(run.err.find("sentry_bs"), std::string::npos) << run.err;  // skipped, and said so
#endif
  EXPECT_EQ(targetRows().size(), 2u);
}

TEST_F(TlconvImport, StopsWithoutImporting) {
  const std::string textFile = dir.write("text.db", "plain text\n");
  ASSERT_EQ(test::makeDatabase(dir.file("empty.db"), test::kClientTable), "");
  ASSERT_EQ(test::makeDatabase(dir.file("unique.db"), std::string(test::kClientTable) +
                                                          "create unique index m on cs_client_info(client_ip);"
                                                          "insert into cs_client_info(client_name) values('OLD');"),
            "");
  ASSERT_EQ(test::makeDatabase(dir.file("dupes.db"), std::string(test::kClientTable) +
                                                         "insert into cs_client_info(client_name,client_ip) values"
                                                         "('A','1'),('B','1');"),
            "");
  struct Case {
    std::vector<std::string> args;
    std::string errorNames;  // in the standard error or the JSON messages
    std::string untouched;   // a file that must keep its bytes
  };
  const Case cases[] = {
      // Where the window would show a file dialog, the command names --db.
      {{"import", "--no-restart", source}, "--db", target},
      {{"import", "--db", textFile, "--no-restart", source}, utf8("数据库打开失败"), textFile},
      {{"import", "--db", dir.file("missing.db"), source}, utf8("数据库打开失败"), target},
      // An empty list is a silent stop in the window, one line here.
      {{"import", "--db", target, dir.file("empty.db")}, utf8("客户机"), target},
      // A write failure is rolled back and shown as the window's error box.
      {{"import", "--db", dir.file("unique.db"), "--yes", "--json", dir.file("dupes.db")}, utf8("导入发生错误 请确认导入数据库文件"),
       dir.file("unique.db")},
      // ... with SQLite's reason on the next line.
      {{"import", "--db", dir.file("unique.db"), "--no-restart", "--yes", dir.file("dupes.db")},
       utf8("导入发生错误 请确认导入数据库文件\n") + dir.file("unique.db") + ": UNIQUE constraint failed",
       dir.file("unique.db")},
      {{"import", "--db", target, textFile}, "", target},  // an unsupported list
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[c.args.size() - 1] + " " + c.args[1]);
    std::string before = test::readAll(c.untouched);
    test::TlconvRun run = tlconv(c.args);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE((run.err + run.out).find(c.errorNames), std::string::npos) << run.err << run.out;
    EXPECT_EQ(test::readAll(c.untouched), before);
  }
  EXPECT_EQ(tlconv({"import", "--bogus", source}).status, 2);
}

// A target the user may not write: the window's terse text, then why.
TEST_F(TlconvImport, ReadOnlyTargetIsNamedWithTheReason) {
  namespace fs = std::filesystem;
  fs::permissions(target, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  if (std::ofstream(target, std::ios::app)) {
    fs::permissions(target, fs::perms::owner_write, fs::perm_options::add);
    GTEST_SKIP() << "this user writes read-only files (root)";
  }
  std::string before = test::readAll(target);
  test::TlconvRun run = tlconv({"import", "--db", target, "--no-restart", "--json", source});
  fs::permissions(target, fs::perms::owner_write, fs::perm_options::add);
  EXPECT_EQ(run.status, 1);
  auto doc = nlohmann::json::parse(run.out);
  ASSERT_EQ(doc["messages"].size(), 1u) << run.out;
  EXPECT_EQ(doc["messages"][0]["text"], utf8("导入发生错误 请确认导入数据库文件"));
  EXPECT_EQ(doc["messages"][0]["detail"], target + ": attempt to write a readonly database");
  EXPECT_EQ(test::readAll(target), before);
}

}  // namespace
}  // namespace tl
