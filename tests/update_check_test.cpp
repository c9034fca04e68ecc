#include "update/update_check.h"

#include <gtest/gtest.h>

#include <map>

#include "tests/support/fake_operator_ui.h"

namespace tl::update {
namespace {

// A tiny but complete PE image: "MZ", e_lfanew = 0x40, "PE\0\0", one
// section whose 0x80 raw bytes start at 0x80 and end the file.
std::string executableBytes() {
  std::string bytes(0x100, '\0');
  bytes[0] = 'M';
  bytes[1] = 'Z';
  bytes[0x3C] = 0x40;
  bytes.replace(0x40, 4, std::string("PE\0\0", 4));
  bytes[0x46] = 1;     // NumberOfSections; no optional header, so the table starts at 0x58
  bytes[0x68] = 0x80;  // SizeOfRawData
  bytes[0x6C] = 0x80;  // PointerToRawData
  return bytes;
}

class FakeEnvironment : public UpdateEnvironment {
 public:
  std::string programPath() override { return "C:\\tool\\convert.exe"; }
  std::string fileVersion(const std::string&) override { return localVersion; }
  std::string httpGet(const std::string& url) override {
    urls.push_back(url);
    auto it = pages.find(url.substr(url.rfind('/') + 1));
    return it == pages.end() ? std::string() : it->second;
  }
  bool download(const std::string& url, const std::string& target) override {
    urls.push_back(url);
    if (!downloadOk) return false;
    files[target] = downloadBytes;
    return true;
  }
  std::string readFile(const std::string& path) override {
    auto it = files.find(path);
    return it == files.end() ? std::string() : it->second;
  }
  bool moveFile(const std::string& from, const std::string& to) override {
    auto it = files.find(from);
    if (it == files.end() || files.count(to)) return false;
    files[to] = it->second;
    files.erase(it);
    return true;
  }
  bool deleteFile(const std::string& path) override { return files.erase(path) > 0; }
  bool startProgram(const std::string& path) override {
    started.push_back(path);
    return true;
  }

  std::string localVersion = "1.2.4.0";
  std::map<std::string, std::string> pages = {{"version.txt", "1.2.5.0"}, {"updata.txt", "修复若干问题"}};
  bool downloadOk = true;
  std::string downloadBytes = executableBytes();
  std::map<std::string, std::string> files = {{"C:\\tool\\convert.exe", "old program"}};
  std::vector<std::string> urls, started;
};

TEST(UpdateCheck, VersionNumbersAreTheDigitsWithoutDots) {
  struct Row {
    std::string text;
    long long expected;
  };
  const Row cases[] = {
      {"1.2.5.0", 1250}, {"1.2.4.0", 1240}, {"1.10.0.0", 11000}, {"1.2.3.9", 1239},
      {"1.2.5.0\r\n", 1250}, {"<html><body>404</body></html>", 0}, {"", 0}, {" +1.3", 13},
  };
  for (const Row& c : cases) EXPECT_EQ(versionNumber(c.text), c.expected) << c.text;
}

TEST(UpdateCheck, OffersOnlyANewerVersion) {
  struct Row {
    std::string remote;
    bool offered;
  };
  const Row cases[] = {
      {"1.2.5.0", true}, {"1.2.4.0", false}, {"1.10.0.0", true}, {"1.2.3.9", false},
      {"<html>error</html>", false}, {"", false},
  };
  for (const Row& c : cases) {
    FakeEnvironment env;
    env.pages["version.txt"] = c.remote;
    test::FakeOperatorUi ui;
    ui.answers = {MessageAnswer::Cancel};
    UpdateOutcome outcome = runUpdateCheck(env, ui, "updates.example:8080");
    EXPECT_EQ(outcome, c.offered ? UpdateOutcome::Declined : UpdateOutcome::NotOffered) << c.remote;
    EXPECT_EQ(ui.messages.size(), c.offered ? 1u : 0u) << c.remote;
    EXPECT_EQ(env.files.at("C:\\tool\\convert.exe"), "old program");
  }
}

TEST(UpdateCheck, TheQuestionShowsTheVersionAndTheNotes) {
  FakeEnvironment env;
  env.pages["version.txt"] = "1.2.5.0\r\n";
  test::FakeOperatorUi ui;
  runUpdateCheck(env, ui, "h");
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "有新版本工具更新 版本号 1250\r\n 是否更新\r\n修复若干问题");
  EXPECT_EQ(ui.messages[0].caption, "提示");
  EXPECT_EQ(ui.messages[0].icon, MessageIcon::Question);
  EXPECT_EQ(ui.messages[0].buttons, MessageButtons::OkCancel);
  EXPECT_EQ(env.urls[0], "http://h/tlup/version.txt");
  EXPECT_EQ(env.urls[1], "http://h/tlup/updata.txt");
}

TEST(UpdateCheck, NothingIsAskedWithoutHostOrVersionResource) {
  FakeEnvironment env;
  test::FakeOperatorUi ui;
  EXPECT_EQ(runUpdateCheck(env, ui, ""), UpdateOutcome::NotOffered);
  env.localVersion = "";
  EXPECT_EQ(runUpdateCheck(env, ui, "h"), UpdateOutcome::NotOffered);
  EXPECT_TRUE(env.urls.empty());
  EXPECT_TRUE(ui.messages.empty());
}

TEST(UpdateCheck, AGoodDownloadSwapsTheFilesAndStartsTheNewProgram) {
  FakeEnvironment env;
  test::FakeOperatorUi ui;
  ui.answers = {MessageAnswer::Ok};
  EXPECT_EQ(runUpdateCheck(env, ui, "h"), UpdateOutcome::Restarting);
  EXPECT_EQ(env.files.at("C:\\tool\\convert.exe"), executableBytes());
  EXPECT_EQ(env.files.at("C:\\tool\\convert.exe.old"), "old program");
  EXPECT_EQ(env.files.size(), 2u);
  EXPECT_EQ(env.started, std::vector<std::string>{"C:\\tool\\convert.exe"});
  EXPECT_EQ(env.urls.back(), "http://h/tlup/tluptool.exe");
}

TEST(UpdateCheck, AFailedOrTruncatedDownloadLeavesTheProgramInPlace) {
  struct Row {
    const char* what;
    bool ok;
    std::string bytes;
  };
  const std::string exe = executableBytes();
  const Row cases[] = {
      {"download failed", false, exe},
      {"html error page", true, "<html>404</html>"},
      {"truncated before the PE header", true, exe.substr(0, 0x42)},
      {"truncated inside the section data", true, exe.substr(0, 0xC0)},
      {"empty", true, ""},
  };
  for (const Row& c : cases) {
    FakeEnvironment env;
    env.downloadOk = c.ok;
    env.downloadBytes = c.bytes;
    test::FakeOperatorUi ui;
    ui.answers = {MessageAnswer::Ok};
    EXPECT_EQ(runUpdateCheck(env, ui, "h"), UpdateOutcome::Failed) << c.what;
    EXPECT_EQ(env.files, (std::map<std::string, std::string>{{"C:\\tool\\convert.exe", "old program"}})) << c.what;
    EXPECT_TRUE(env.started.empty());
  }
}

TEST(UpdateCheck, OnlyAWholeWindowsExecutableCounts) {
  const std::string exe = executableBytes();
  EXPECT_TRUE(isCompleteWindowsExecutable(exe));
  EXPECT_TRUE(isCompleteWindowsExecutable(exe + "appended data"));
  struct Row {
    const char* what;
    size_t offset;  // where `value` is written into a copy of the image
    char value;
  };
  const Row broken[] = {
      {"e_lfanew past the end", 0x3C, char(0xFF)},
      {"e_lfanew so far that the file header is cut", 0x3C, char(0xF0)},
      {"no PE signature", 0x41, 'X'},
      {"no sections", 0x46, 0},
      {"section table past the end (optional header size)", 0x54, char(0xF0)},
      {"section data past the end", 0x69, 1},
  };
  for (const Row& c : broken) {
    std::string bytes = exe;
    bytes[c.offset] = c.value;
    EXPECT_FALSE(isCompleteWindowsExecutable(bytes)) << c.what;
  }
  for (size_t cut : {0x02, 0x3F, 0x43, 0x57, 0x7F, 0xFF})
    EXPECT_FALSE(isCompleteWindowsExecutable(exe.substr(0, cut))) << cut;
  EXPECT_FALSE(isCompleteWindowsExecutable(std::string(0x100, 'M')));
}

}  // namespace
}  // namespace tl::update
