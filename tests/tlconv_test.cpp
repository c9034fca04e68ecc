// tlconv run in-process as a user runs it: arguments in, exit status and
// output out. One table of command lines, each with what must (and must not)
// reach standard output and standard error.
#include "cli/tlconv_app.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <streambuf>

#include "data/sqlite/sqlite_connection.h"
#include "platform/text_codec.h"
#include "tests/support/sqlite_fixture.h"
#include "tests/support/temp_dir.h"
#include "tests/support/tlconv_run.h"

namespace tl::cli {
namespace {

using test::TempDir;
using test::tlconv;

// The sources' literals are GBK; the command line speaks UTF-8.
std::string utf8(const std::string& gbk) { return platform::gbkToUtf8(gbk); }

// A text as a JSON string (a Windows path's separators are escaped).
std::string quoted(const std::string& text) { return nlohmann::json(text).dump(); }

bool isValidUtf8(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    auto lead = static_cast<unsigned char>(text[i]);
    size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (size_t k = 1; k < length; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    i += length;
  }
  return true;
}

enum class Json { None, Object, Error };

struct Case {
  std::vector<std::string> args;
  int status;
  std::vector<std::string> out;  // fragments of standard output (UTF-8)
  std::vector<std::string> err;  // fragments of standard error (UTF-8)
  Json json = Json::None;        // what standard output must parse as
  std::vector<std::string> notInOut = {};
};

class TlconvCommandLine : public testing::Test {
 protected:
  void SetUp() override {
    list = dir.file("list.db");
    ASSERT_EQ(test::makeDatabase(list, std::string(test::kClientTable) +
                                           "insert into cs_client_info(client_name,client_mac,client_ip) values"
                                           "('PC01','001a2b3c4d01','3232235777'),('PC02','001a2b3c4d02','3232235778');"),
              "");
    // Names that would steer a terminal, and one wider than a table cell.
    hostile = dir.file("hostile.db");
    ASSERT_EQ(test::makeDatabase(hostile, std::string(test::kClientTable) +
                                              "insert into cs_client_info(client_name,client_mac,client_ip) values"
                                              "('A'||char(27)||'[31mB'||char(9)||'C'||char(13)||char(10)||'D',"
                                              "'001a2b3c4d01','3232235777'),"
                                              "('" + std::string(50, 'x') + "','001a2b3c4d02','3232235778');"),
              "");
    ASSERT_EQ(test::makeDatabase(dir.file("empty.db"), test::kClientTable), "");
    ASSERT_EQ(test::makeDatabase(dir.file("target.db"), std::string(test::kClientTable) +
                                                            "insert into cs_client_info(client_name) values('OLD');"),
              "");
    ASSERT_EQ(test::makeDatabase(dir.file("other.db"), "create table t(a);"), "");
    ASSERT_EQ(test::makeDatabase(dir.file("victim.db"), std::string(test::kClientTable) +
                                                            "insert into cs_client_info(client_name,client_mac,"
                                                            "client_ip) values('V1','001a2b3c4d09','3232235779');"),
              "");
    ASSERT_EQ(test::makeDatabase(dir.file("locked.db"), test::kClientTable), "");
    std::filesystem::create_directory(dir.file("folder"));
  }

  TempDir dir;
  std::string list, hostile;
};

TEST_F(TlconvCommandLine, ExitStatusAndOutput) {
  const std::string missing = dir.file("missing.db");
  const std::string folder = dir.file("folder");
  const std::string text = dir.write("x.txt", "hello");
  const std::string target = dir.file("target.db");
  const std::string locked = dir.file("locked.db");
  const std::string other = dir.file("other.db");
  const std::string exported = dir.file("out.txt");
  const std::string kept = "\xE2\x90\x9B[31mB\xE2\x90\x89" "C\xE2\x90\x8D\xE2\x90\x8A" "D";  // ␛ ␉ ␍ ␊
  const std::string cut = std::string(39, 'x') + "\xE2\x80\xA6";                               // …

  // Another connection holds the target's write lock for the whole table.
  SqliteConnection holder;
  ASSERT_TRUE(holder.open(locked));
  ASSERT_TRUE(holder.execute("begin exclusive;"));

  const std::vector<Case> cases = {
      // Usage errors: exit 2, one line that points at the help.
      {{}, 2, {}, {"a command is needed", "run 'tlconv --help'"}},
      {{"frobnicate"}, 2, {}, {"'frobnicate' is no command; run 'tlconv --help'"}},
      {{"show"}, 2, {}, {"FILE is required; run 'tlconv show --help'"}},
      {{"show", "--bogus", list}, 2, {}, {"--bogus", "run 'tlconv show --help'"}},
      {{"detect", "a", "b"}, 2, {}, {"run 'tlconv detect --help'"}},
      {{"show", "--json", "--bogus", list}, 2, {"{\"error\":\"tlconv show: ", "run 'tlconv show --help'\"}"}, {}, Json::Error},
      {{"import", "--db", "", list}, 2, {}, {"--db: the path is empty", "run 'tlconv import --help'"}},
      {{"import", "--json", "--db=", list}, 2, {"--db: the path is empty"}, {}, Json::Error},
      {{"restore", "--db", "", list}, 2, {}, {"--db: the path is empty", "run 'tlconv restore --help'"}},
      {{"export", "--template", "name", "--replace-name", "PC", list},
       2, {}, {"--replace-name needs two values, FROM and TO: it took 'PC' and '" + list + "'", "tlconv export --help"}},
      {{"export", "--template", "name", "--replace-ip", "1", "--sort", "asc", list},
       2, {}, {"--replace-ip needs two values, FROM and TO: '1' has no TO after it"}},
      {{"export", "--template", "name", list, "--replace-name"}, 2, {}, {"--replace-name needs two values"}},
      {{"export", "list.db"}, 2, {}, {"--template is required"}},
      {{"export", "--template", "name", "--sort", "sideways", list}, 2, {}, {"run 'tlconv export --help'"}},
      {{"export", "--template", "name", "--rows", "3", "--output", exported, list}, 2, {}, {"--rows: 3 is not a row"}},
      {{"help", "nothing"}, 2, {}, {"'nothing' is no command"}},
      // Version and help.
      {{"--version"}, 0, {"tlconv 1.2.4.0\n"}, {}},
      {{"--help"}, 0, {utf8("汀澜"), "detect", "show", "import", "export", "help"}, {}},
      {{"help"}, 0, {"Usage: tlconv [OPTIONS] SUBCOMMAND"}, {}},
      {{"help", "import"}, 0, {"Replace the whole client list", "Usage: tlconv import"}, {}},
      {{"export", "--help"}, 0, {"name, ip and mac", "arp -s ip mac", "--force", "- for standard output"}, {}},
      // Files that cannot be read: the window's words, then the path and the cause.
      {{"detect", missing}, 1, {"\n"}, {utf8("数据库打开失败！\n") + missing + ": No such file or directory\n"}},
      {{"show", folder}, 1, {}, {utf8("数据库打开失败！\n") + folder + ": Is a directory\n"}},
      {{"show", "--json", missing},
       1, {"\"text\":\"" + utf8("数据库打开失败！") + "\",\"detail\":\"", "No such file or directory\"}"}, {}, Json::Object},
      {{"show", "--json", text}, 1, {"\"notes\":[\"" + utf8("列表文件不支持") + "\"]"}, {}, Json::Object},
      {{"show", text}, 1, {utf8("列表文件不支持")}, {utf8("列表文件不支持")}},
      // The table shows control bytes as marks and cuts wide cells; JSON keeps every byte.
      {{"show", hostile}, 0, {"A" + kept + " ", cut + "  "}, {}, Json::None, {"\x1b", "\t", "\r", std::string(41, 'x')}},
      {{"show", "--json", hostile}, 0, {"A\\u001b[31mB\\tC\\r\\nD", std::string(50, 'x')}, {}, Json::Object},
      // Export: standard output, the template check, the overwrite guard.
      {{"export", "--template", "name=ip", "--output", "-", list}, 0, {"PC01=192.168.1.1\r\nPC02=192.168.1.2"}, {}},
      {{"export", "--template", "name", "--rows", "2", "--rows", "", "--rows", "1", "--output", "-", list},
       0, {"PC01\r\nPC02"}, {}},
      {{"export", "--template", "{NAME} {IP}", "--output", exported, list}, 0, {}, {utf8("模板中没有 name、ip、mac")}},
      {{"export", "--template", "name", "--output", list, list}, 1, {}, {list, utf8("正在读取的列表文件"), "--force"}},
      {{"export", "--template", "name", "--output", dir.file("./list.db"), list}, 1, {}, {utf8("正在读取的列表文件")}},
      {{"export", "--template", "name", "--output", other, list}, 1, {}, {other, "SQLite", "--force"}},
      {{"export", "--template", "name", "--force", "--output", dir.file("victim.db"), list}, 0, {}, {utf8("已导出文件")}},
      // Import: what the window leaves to the eye is said, in JSON as well.
      {{"import", "--json", "--no-restart", list}, 1, {"\"notes\":[\"" + utf8("需要选择汀澜数据库文件")}, {"--db"}, Json::Object},
      {{"import", "--json", "--db", target, "--no-restart", dir.file("empty.db")},
       1, {"\"notes\":[\"" + utf8("没有可导入的客户机")}, {}, Json::Object},
      {{"import", "--json", "--db", target, "--no-restart", list},
       0, {"\"notes\":[\"" + utf8("已跳过汀澜主服务 sentry_bs 的重启")}, {}, Json::Object},
      {{"import", "--db", missing, "--no-restart", list}, 1, {}, {utf8("数据库打开失败\n") + missing + ": No such file"}},
      {{"import", "--db", locked, "--no-restart", list}, 1, {}, {utf8("数据库打开失败\n") + locked + ": database is locked"}},
      {{"import", "--json", "--db", locked, "--no-restart", list},
       1, {"\"notes\":[\"" + utf8("数据库打开失败") + "\"," + quoted(locked + ": database is locked") + "]"}, {}, Json::Object},
  };
  const std::string listBytes = test::readAll(list);
  const std::string otherBytes = test::readAll(other);
  for (const Case& c : cases) {
    std::string shown;
    for (const std::string& arg : c.args) shown += " '" + arg + "'";
    SCOPED_TRACE("tlconv" + shown);
    test::TlconvRun run = tlconv(c.args);
    EXPECT_EQ(run.status, c.status) << run.err;
    for (const std::string& fragment : c.out) EXPECT_NE(run.out.find(fragment), std::string::npos) << fragment << "\n" << run.out;
    for (const std::string& fragment : c.err) EXPECT_NE(run.err.find(fragment), std::string::npos) << fragment << "\n" << run.err;
    for (const std::string& fragment : c.notInOut) EXPECT_EQ(run.out.find(fragment), std::string::npos) << run.out;
    EXPECT_TRUE(isValidUtf8(run.out) && isValidUtf8(run.err));
    if (c.json == Json::None) continue;
    EXPECT_EQ(run.out.find('\n'), run.out.size() - 1);  // one line
    nlohmann::json doc = nlohmann::json::parse(run.out, nullptr, false);
    ASSERT_FALSE(doc.is_discarded()) << run.out;
    if (c.json == Json::Error) {
      EXPECT_EQ(doc.size(), 1u);
      EXPECT_EQ(doc["error"].get<std::string>() + "\n", run.err);  // the same line as on standard error
    } else {
      for (const char* key : {"type", "status", "rows", "messages", "notes"}) EXPECT_TRUE(doc.contains(key)) << key;
    }
  }
  EXPECT_EQ(test::readAll(list), listBytes);
  EXPECT_EQ(test::readAll(other), otherBytes);
  EXPECT_EQ(test::readAll(dir.file("victim.db")), "PC01\r\nPC02");  // --force wrote over it
  EXPECT_EQ(test::readAll(exported), "{NAME} {IP}\r\n{NAME} {IP}");
  ASSERT_TRUE(holder.execute("rollback;"));
}

// Every help text reaches the terminal as UTF-8, for every command the top
// help lists (commands added later are covered without a change here).
TEST_F(TlconvCommandLine, EveryHelpIsUtf8) {
  test::TlconvRun top = tlconv({"--help"});
  ASSERT_EQ(top.status, 0);
  EXPECT_TRUE(isValidUtf8(top.out)) << top.out;
  size_t listed = top.out.find("Subcommands:");
  ASSERT_NE(listed, std::string::npos) << top.out;
  std::istringstream lines(top.out.substr(listed));
  std::string line;
  std::getline(lines, line);
  int commands = 0;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::string command;
    if (!(words >> command)) continue;
    ++commands;
    for (const std::vector<std::string>& args : {std::vector<std::string>{command, "--help"},
                                                 std::vector<std::string>{"help", command}}) {
      test::TlconvRun help = tlconv(args);
      EXPECT_EQ(help.status, 0) << command;
      // "help --help" is the top help, like "help".
      EXPECT_NE(help.out.find(command == "help" ? "Usage: tlconv" : "Usage: tlconv " + command), std::string::npos)
          << help.out;
      EXPECT_TRUE(isValidUtf8(help.out)) << help.out;
    }
  }
  EXPECT_GE(commands, 5);
}

// Standard output that cannot be written (a full disk, a closed pipe) fails
// the command, whatever it printed.
class FailingBuffer : public std::streambuf {
 protected:
  int overflow(int) override { return traits_type::eof(); }
  std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

TEST_F(TlconvCommandLine, FailedWritesToStandardOutputFail) {
  const std::vector<std::vector<std::string>> commands = {
      {"--help"},
      {"--version"},
      {"help", "show"},
      {"detect", list},
      {"show", list},
      {"show", "--json", list},
      {"export", "--template", "name", "--output", "-", list},
      {"import", "--json", "--db", dir.file("target.db"), "--no-restart", list},
  };
  for (const auto& args : commands) {
    SCOPED_TRACE(args[0] + " " + args.back());
    FailingBuffer failing;
    std::ostream out(&failing);
    std::ostringstream err;
    EXPECT_EQ(runTlconv(args, out, err), 1);
    EXPECT_NE(err.str().find("cannot write to standard output"), std::string::npos) << err.str();
  }
  // A usage error keeps its own status.
  FailingBuffer failing;
  std::ostream out(&failing);
  std::ostringstream err;
  EXPECT_EQ(runTlconv({"show", "--json", "--bogus", list}, out, err), 2);
}

}  // namespace
}  // namespace tl::cli
