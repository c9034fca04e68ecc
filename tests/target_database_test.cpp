#include <gtest/gtest.h>

#include <filesystem>

#include "import/target_database.h"
#include "platform/file_system.h"
#include "tests/support/fake_platform.h"
#include "tests/support/sqlite_fixture.h"
#include "tests/support/temp_dir.h"

namespace tl {
namespace {

using test::TempDir;

// The parts the locating works with, over fakes.
struct Locating {
  ImportContext context() { return ImportContext{grid, ui, connection, processes, services}; }
  ClientGrid grid;
  test::FakeOperatorUi ui;
  SqliteConnection connection;
  test::FakeProcesses processes;
  test::FakeServiceControl services;
};

std::string join(const std::string& dir, const std::string& name) { return dir + platform::pathSeparator() + name; }

// An installation directory with data<sep>data.db in it.
std::string makeInstallation(const TempDir& dir, const std::string& name) {
  std::string root = join(dir.path(), name);
  std::filesystem::create_directories(join(root, "data"));
  EXPECT_EQ(test::makeDatabase(join(join(root, "data"), "data.db"), "create table cs_client_info(client_name text);"),
            "");
  return root;
}

TEST(TargetDatabase, FoundDatabaseIsOfferedAndOpened) {
  TempDir dir;
  const std::string server = makeInstallation(dir, "srv");
  const std::string tool = makeInstallation(dir, "tool");
  struct Case {
    const char* why;
    std::map<uint32_t, std::string> processes;
    std::string offered;  // directory whose data.db the prompt names
  };
  const Case cases[] = {
      {"the running server", {{0, join(tool, "tlconv")}, {1234, join(server, "YCTLBarserver.exe")}}, server},
      {"its name in other letter case", {{0, join(tool, "tlconv")}, {77, join(server, "yctlbarSERVER.EXE")}}, server},
      {"server not running: the tool's own directory", {{0, join(tool, "tlconv")}, {9, join(server, "other.exe")}},
       tool},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    Locating l;
    l.processes.paths = c.processes;
    l.ui.answers = {MessageAnswer::Ok};
    ImportContext context = l.context();
    EXPECT_EQ(locateAndOpenTargetDatabase(context), TargetOpen::Opened);
    EXPECT_TRUE(l.connection.isOpen());
    ASSERT_EQ(l.ui.messages.size(), 1u);
    EXPECT_EQ(l.ui.messages[0].text, "已找到数据库 " + join(join(c.offered, "data"), "data.db") + " 是否直接使用");
    EXPECT_EQ(l.ui.messages[0].caption, "提示");
    EXPECT_EQ(l.ui.messages[0].icon, MessageIcon::Question);
    EXPECT_EQ(l.ui.messages[0].buttons, MessageButtons::OkCancel);
    EXPECT_TRUE(l.ui.dialogs.empty());
  }
}

TEST(TargetDatabase, FileDialogWhenDeclinedOrNotFound) {
  TempDir dir;
  const std::string server = makeInstallation(dir, "srv");
  const std::string chosen = join(join(server, "data"), "data.db");
  const std::string textFile = dir.write("notes.db", "not a database\n");
  struct Case {
    const char* why;
    bool serverRunning;
    std::optional<std::string> dialogAnswer;
    TargetOpen result;
    size_t prompts;
    std::string typeField;
  };
  const Case cases[] = {
      {"prompt cancelled, file chosen", true, chosen, TargetOpen::Opened, 1, ""},
      {"prompt cancelled, dialog cancelled: a silent stop", true, std::nullopt, TargetOpen::NotChosen, 1, ""},
      {"nothing found, file chosen", false, chosen, TargetOpen::Opened, 0, ""},
      {"a text file chosen", false, textFile, TargetOpen::OpenFailed, 0, "数据库打开失败"},
      {"a missing file chosen", false, join(dir.path(), "gone.db"), TargetOpen::OpenFailed, 0, "数据库打开失败"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    Locating l;
    l.processes.paths[0] = join(dir.path(), "tlconv");  // no data.db beside the tool
    if (c.serverRunning) l.processes.paths[5] = join(server, "YCTLBarserver.exe");
    l.ui.answers = {MessageAnswer::Cancel};
    l.ui.chosenFile = c.dialogAnswer;
    ImportContext context = l.context();
    EXPECT_EQ(locateAndOpenTargetDatabase(context), c.result);
    EXPECT_EQ(l.connection.isOpen(), c.result == TargetOpen::Opened);
    EXPECT_EQ(l.ui.messages.size(), c.prompts);  // no message besides the prompt
    ASSERT_EQ(l.ui.dialogs.size(), 1u);
    EXPECT_EQ(l.ui.dialogs[0].title, "选择汀澜数据库文件");
    EXPECT_EQ(l.ui.dialogs[0].filter, "汀澜数据库文件(*.db)|*.db");
    EXPECT_EQ(l.ui.dialogs[0].initialDirectory, platform::programDirectory());
    EXPECT_EQ(l.grid.status(kTypeField), c.typeField);
    EXPECT_EQ(test::readAll(textFile), "not a database\n");
  }
}

TEST(TargetDatabase, ServerDirectoryStepsDoubleByteCharacters) {
  const std::string sep(1, platform::pathSeparator());
  // The second byte of 乗 (GBK 81 5C) is the byte of "\".
  const std::string trailIsBackslash = "\x81\x5C";
  struct Case {
    std::map<uint32_t, std::string> processes;
    std::string directory;
  };
  const Case cases[] = {
      {{{3, "D:" + sep + "汀澜" + sep + "YCTLBarserver.exe"}}, "D:" + sep + "汀澜" + sep},
      {{{3, "D:" + sep + trailIsBackslash + sep + "YCTLBarserver.exe"}}, "D:" + sep + trailIsBackslash + sep},
      {{{3, "D:" + sep + trailIsBackslash + "YCTLBarserver.exe"}}, "D:" + sep},
      {{{0, "tool" + sep + "tlconv"}}, "tool" + sep},  // not running: the tool's directory
      {{{3, "YCTLBarserver.exe"}}, ""},                // no separator at all
      {{}, ""},                                        // no path to be had
  };
  for (const Case& c : cases) {
    test::FakeProcesses processes;
    processes.paths = c.processes;
    EXPECT_EQ(serverDirectory(processes), c.directory);
  }
}

}  // namespace
}  // namespace tl
