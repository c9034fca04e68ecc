// tlconv check, and the check, the copy, the change and the dry run of
// tlconv import and restore.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <sstream>

#include "cli/tlconv_app.h"
#include "import/list_backup.h"
#include "platform/directories.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"
#include "tests/support/sqlite_fixture.h"
#include "tests/support/temp_dir.h"
#include "tests/support/tlconv_run.h"

namespace tl {
namespace {

using test::TempDir;
using test::tlconv;
using Rows = std::vector<std::vector<std::string>>;

std::string utf8(const std::string& gbk) { return platform::gbkToUtf8(gbk); }

// Two clients on 192.168.1.0/24, their gateway .100; `secondMac` makes the
// list clean or not.
std::string listSql(const std::string& secondMac) {
  return std::string(test::kClientTable) +
         "insert into cs_client_info(client_name,client_mac,client_ip,client_mask,client_gate_way) values"
         "('PC01','001a2b3c4d01','3232235777','4294967040','3232235876'),"
         "('PC02','" + secondMac + "','3232235778','4294967040','3232235876');";
}

class TlconvCheck : public testing::Test {
 protected:
  void SetUp() override {
    clean = dir.file("clean.db");
    dupes = dir.file("dupes.db");
    target = dir.file("data.db");
    ASSERT_EQ(test::makeDatabase(clean, listSql("001a2b3c4d02")), "");
    ASSERT_EQ(test::makeDatabase(dupes, listSql("00-1A-2B-3C-4D-01")), "");
    ASSERT_EQ(test::makeDatabase(target, std::string(test::kClientTable) +
                                             "insert into cs_client_info(client_name,client_mac,client_ip)"
                                             " values('OLD','001A2B3C4D01','1'),('GONE','AA','2');"),
              "");
  }
  Rows names() { return test::queryRows(target, "select client_name from cs_client_info order by id"); }
  std::vector<std::string> copies() { return platform::listFileNames(backupFolder(target)); }
  // A copy's path as the command line takes it.
  std::string copyArgument(const std::string& name) {
    return utf8(backupFolder(target) + platform::pathSeparator() + name);
  }

  TempDir dir;
  std::string clean, dupes, target;
};

TEST_F(TlconvCheck, CheckPrintsTheProblemsAndExitsOneWithAny) {
  test::TlconvRun good = tlconv({"check", clean});
  EXPECT_EQ(good.status, 0) << good.err;
  EXPECT_EQ(good.out, "");

  test::TlconvRun bad = tlconv({"check", dupes});
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.out, utf8("MAC地址重复 00-1A-2B-3C-4D-01: 序号 1 PC01, 序号 2 PC02\n"));

  test::TlconvRun json = tlconv({"check", "--json", dupes});
  EXPECT_EQ(json.status, 1);
  auto doc = nlohmann::json::parse(json.out);
  ASSERT_EQ(doc["problems"].size(), 1u);
  EXPECT_EQ(doc["problems"][0]["kind"], "duplicate-mac");
  EXPECT_EQ(doc["problems"][0]["rows"], nlohmann::json::parse("[1, 2]"));
  EXPECT_EQ(doc["rows"].size(), 2u);

  // The edits come first: a rename that makes the names collide.
  test::TlconvRun edited = tlconv({"check", "--replace-name", "PC02", "PC01", clean});
  EXPECT_EQ(edited.status, 1);
  EXPECT_NE(edited.out.find(utf8("计算机名重复")), std::string::npos) << edited.out;
}

TEST_F(TlconvCheck, ImportStopsOnProblemsUnlessYes) {
  const std::string bytes = test::readAll(target);
  test::TlconvRun stopped = tlconv({"import", "--db", target, "--no-restart", dupes});
  EXPECT_EQ(stopped.status, 1);
  EXPECT_NE(stopped.err.find(utf8("是否仍然导入？")), std::string::npos) << stopped.err;
  EXPECT_EQ(test::readAll(target), bytes);
  EXPECT_TRUE(copies().empty());

  test::TlconvRun json = tlconv({"import", "--db", target, "--no-restart", "--json", dupes});
  EXPECT_EQ(json.status, 1);
  EXPECT_EQ(nlohmann::json::parse(json.out)["problems"][0]["kind"], "duplicate-mac");

  test::TlconvRun forced = tlconv({"import", "--db", target, "--no-restart", "--yes", "--json", dupes});
  EXPECT_EQ(forced.status, 0) << forced.err;
  EXPECT_EQ(names(), (Rows{{"PC01"}, {"PC02"}}));
  ASSERT_EQ(copies().size(), 1u);
  auto doc = nlohmann::json::parse(forced.out);
  // Without the closing box its two lines are notes.
  ASSERT_EQ(doc["notes"].size(), 3u);
  EXPECT_EQ(doc["notes"][0], utf8("已跳过汀澜主服务 sentry_bs 的重启 (--no-restart)"));
  EXPECT_EQ(doc["notes"][1], utf8("新增 1 台 删除 1 台 修改 1 台 未变 0 台"));
  const std::string saved = doc["notes"][2];
  EXPECT_TRUE(saved.starts_with(utf8("原列表已保存到 ")) && saved.ends_with(copies()[0])) << saved;
  EXPECT_EQ(doc["changes"]["removed"][0][0], "GONE");
  EXPECT_EQ(doc["changes"]["changed"][0]["before"][0], "OLD");
  EXPECT_EQ(doc["changes"]["changed"][0]["after"][0], "PC01");
}

TEST_F(TlconvCheck, NoBackupKeepsNoCopy) {
  test::TlconvRun run = tlconv({"import", "--db", target, "--no-restart", "--no-backup", clean});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(names(), (Rows{{"PC01"}, {"PC02"}}));
  EXPECT_TRUE(copies().empty());
  EXPECT_NE(run.err.find(utf8("新增 1 台 删除 1 台 修改 1 台 未变 0 台")), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find(utf8("原列表已保存到")), std::string::npos) << run.err;
}

TEST_F(TlconvCheck, DryRunPrintsTheChangeAndWritesNothing) {
  const std::string bytes = test::readAll(target);
  test::TlconvRun text = tlconv({"import", "--db", target, "--dry-run", clean});
  EXPECT_EQ(text.status, 0) << text.err;
  EXPECT_EQ(text.out, utf8("新增 1 台 删除 1 台 修改 1 台 未变 0 台\n"
                           "+ PC02 192.168.1.2 001A2B3C4D02 255.255.255.0 192.168.1.100 0.0.0.0 0.0.0.0 默认分组\n"
                           "- GONE 0.0.0.2 AA - - - - -\n"
                           "~ OLD 0.0.0.1 001A2B3C4D01 - - - - - → "
                           "PC01 192.168.1.1 001A2B3C4D01 255.255.255.0 192.168.1.100 0.0.0.0 0.0.0.0 默认分组\n"));
  test::TlconvRun json = tlconv({"import", "--db", target, "--dry-run", "--json", dupes});
  EXPECT_EQ(json.status, 1);  // the check found a problem
  auto doc = nlohmann::json::parse(json.out);
  EXPECT_EQ(doc["problems"].size(), 1u);
  EXPECT_EQ(doc["changes"]["added"].size(), 1u);
  EXPECT_EQ(doc["changes"]["changed"].size(), 1u);
  EXPECT_EQ(doc["changes"]["changed"][0]["after"][1], "192.168.1.1");
  EXPECT_EQ(test::readAll(target), bytes);
  EXPECT_TRUE(copies().empty());
}

TEST_F(TlconvCheck, RestorePutsTheCopyBack) {
  const Rows before = test::queryRows(target, "select * from cs_client_info order by id");
  ASSERT_EQ(tlconv({"import", "--db", target, "--no-restart", clean}).status, 0);
  ASSERT_EQ(copies().size(), 1u);
  const std::string copy = copyArgument(copies()[0]);
  test::TlconvRun run = tlconv({"restore", "--db", target, "--no-restart", "--json", copy});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(test::queryRows(target, "select * from cs_client_info order by id"), before);
  EXPECT_EQ(nlohmann::json::parse(run.out)["changes"]["added"][0][0], "GONE");
  // A file that is no copy changes nothing.
  test::TlconvRun bad = tlconv({"restore", "--db", target, "--no-restart", clean + ".missing"});
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.err.find(utf8("无法读取原客户机列表")), std::string::npos) << bad.err;
}

}  // namespace
}  // namespace tl
