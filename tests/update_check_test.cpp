#include "update/update_check.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/signature_verifier.h"
#include "tests/support/fake_operator_ui.h"
#include "tests/support/pe_image.h"
#include "tests/support/test_signing_key.h"

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

const update::FileVersion kNewer{{1, 2, 5, 0}}, kSame{{1, 2, 4, 0}}, kOlder{{1, 2, 3, 9}};

// One throw-away release key for the whole program: made once, as making
// keys costs time.
const test::TestSigningKey& releaseKey() {
  static const std::unique_ptr<test::TestSigningKey> key = test::TestSigningKey::generate();
  return *key;
}

class FakeEnvironment : public UpdateEnvironment {
 public:
  std::string programPath() override { return "C:\\tool\\convert.exe"; }
  std::string fileVersion(const std::string&) override { return localVersion; }
  std::string httpGet(const std::string& url, Deadline deadline) override {
    urls.push_back(url);
    deadlines.push_back(deadline);
    auto it = pages.find(url.substr(url.rfind('/') + 1));
    return it == pages.end() ? std::string() : it->second;
  }
  bool download(const std::string& url, const std::string& target, Deadline deadline) override {
    urls.push_back(url);
    deadlines.push_back(deadline);
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

  // Serves `program` with the release key's signature over `signedBytes`.
  void serve(const std::string& program, const std::string& signedBytes) {
    downloadBytes = program;
    pages["tluptool.exe.sig"] = releaseKey().sign(signedBytes);
  }

  std::string localVersion = "1.2.4.0";
  std::map<std::string, std::string> pages = {{"version.txt", "1.2.5.0"}, {"updata.txt", "修复若干问题"}};
  bool downloadOk = true;
  std::string downloadBytes;
  std::map<std::string, std::string> files = {{"C:\\tool\\convert.exe", "old program"}};
  std::vector<std::string> urls, started;
  std::vector<Deadline> deadlines;
};

// The check as the program runs it: the release key configured, the
// platform's own signature check.
UpdateOutcome check(FakeEnvironment& env, test::FakeOperatorUi& ui, const std::string& host = "h",
                    std::string key = releaseKey().publicKeyHex()) {
  std::unique_ptr<SignatureVerifier> verifier = platform::makeSystemSignatureVerifier();
  return runUpdateCheck(env, *verifier, ui, UpdateSettings{host, key});
}

const std::map<std::string, std::string> kUntouched = {{"C:\\tool\\convert.exe", "old program"}};
const char kRefused[] = "更新文件校验失败 已取消更新";

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
    UpdateOutcome outcome = check(env, ui, "updates.example:8080");
    EXPECT_EQ(outcome, c.offered ? UpdateOutcome::Declined : UpdateOutcome::NotOffered) << c.remote;
    EXPECT_EQ(ui.messages.size(), c.offered ? 1u : 0u) << c.remote;
    EXPECT_EQ(env.files.at("C:\\tool\\convert.exe"), "old program");
  }
}

TEST(UpdateCheck, TheQuestionShowsTheVersionAndTheNotes) {
  FakeEnvironment env;
  env.pages["version.txt"] = "1.2.5.0\r\n";
  test::FakeOperatorUi ui;
  check(env, ui);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "有新版本工具更新 版本号 1250\r\n 是否更新\r\n修复若干问题");
  EXPECT_EQ(ui.messages[0].caption, "提示");
  EXPECT_EQ(ui.messages[0].icon, MessageIcon::Question);
  EXPECT_EQ(ui.messages[0].buttons, MessageButtons::OkCancel);
  EXPECT_EQ(env.urls[0], "http://h/tlup/version.txt");
  EXPECT_EQ(env.urls[1], "http://h/tlup/updata.txt");
}

TEST(UpdateCheck, TheTextsEndAtTheirFirstZeroByte) {
  FakeEnvironment env;
  env.pages["version.txt"] = std::string("1.2.5.0\0" "9", 9);
  env.pages["updata.txt"] = std::string("说明\0尾巴", 9);
  test::FakeOperatorUi ui;
  check(env, ui);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "有新版本工具更新 版本号 1250 是否更新\r\n说明");
}

TEST(UpdateCheck, NothingIsAskedWithoutHostKeyOrVersionResource) {
  struct Row {
    const char* what;
    std::string host, key, localVersion;
  };
  const std::string key = releaseKey().publicKeyHex();
  const Row cases[] = {
      {"no host", "", key, "1.2.4.0"},
      {"no key", "h", "", "1.2.4.0"},
      {"a key one digit short", "h", key.substr(1), "1.2.4.0"},
      {"a key that is not hex", "h", std::string(127, '0') + "g", "1.2.4.0"},
      {"no version resource", "h", key, ""},
  };
  for (const Row& c : cases) {
    FakeEnvironment env;
    env.localVersion = c.localVersion;
    test::FakeOperatorUi ui;
    EXPECT_EQ(check(env, ui, c.host, c.key), UpdateOutcome::NotOffered) << c.what;
    EXPECT_TRUE(env.urls.empty()) << c.what;
    EXPECT_TRUE(ui.messages.empty()) << c.what;
  }
}

TEST(UpdateCheck, TheRequestsBeforeTheQuestionShareOneShortDeadline) {
  FakeEnvironment env;
  env.serve(test::executableWithVersion(kNewer), test::executableWithVersion(kNewer));
  test::FakeOperatorUi ui;
  ui.answers = {MessageAnswer::Ok};
  const auto before = std::chrono::steady_clock::now();
  check(env, ui);
  const auto after = std::chrono::steady_clock::now();
  ASSERT_EQ(env.deadlines.size(), 4u);  // version, notes, program, signature
  EXPECT_EQ(env.deadlines[0], env.deadlines[1]);
  EXPECT_GE(env.deadlines[0], before + kCheckTimeLimit);
  EXPECT_LE(env.deadlines[0], after + kCheckTimeLimit);
  EXPECT_LE(kCheckTimeLimit, std::chrono::seconds(15));
  EXPECT_EQ(env.deadlines[2], env.deadlines[3]);
  EXPECT_LE(env.deadlines[2], std::chrono::steady_clock::now() + kDownloadTimeLimit);
}

TEST(UpdateCheck, ASignedNewerProgramReplacesTheOldOneAndStarts) {
  FakeEnvironment env;
  const std::string newer = test::executableWithVersion(kNewer);
  env.serve(newer, newer);
  test::FakeOperatorUi ui;
  ui.answers = {MessageAnswer::Ok};
  EXPECT_EQ(check(env, ui), UpdateOutcome::Restarting);
  EXPECT_EQ(env.files, (std::map<std::string, std::string>{{"C:\\tool\\convert.exe", newer},
                                                           {"C:\\tool\\convert.exe.old", "old program"}}));
  EXPECT_EQ(env.started, std::vector<std::string>{"C:\\tool\\convert.exe"});
  EXPECT_EQ(env.urls[2], "http://h/tlup/tluptool.exe");
  EXPECT_EQ(env.urls[3], "http://h/tlup/tluptool.exe.sig");
  EXPECT_EQ(ui.messages.size(), 1u);  // the question only
}

// Every refusal after the operator's OK: the program file stays, the
// downloaded file goes, nothing starts, and the operator is told.
TEST(UpdateCheck, AnythingButASignedNewerWholeProgramIsRefused) {
  const std::string newer = test::executableWithVersion(kNewer);
  std::string flippedProgram = newer;
  flippedProgram[test::kPaddingOffset + 5] ^= 1;
  const std::string signature = releaseKey().sign(newer);
  std::string flippedSignature = signature;
  flippedSignature[17] ^= 1;
  const std::string otherKeySignature = test::TestSigningKey::generate()->sign(newer);
  const std::string unversioned = executableBytes();
  struct Row {
    const char* what;
    std::string program, signatureFile;
    std::string key = releaseKey().publicKeyHex();
  };
  const Row cases[] = {
      {"one flipped byte in the program", flippedProgram, signature},
      {"one flipped byte in the signature", newer, flippedSignature},
      {"the signature of another file", newer, releaseKey().sign(test::executableWithVersion(kNewer, 'x'))},
      {"a signature by another key", newer, otherKeySignature},
      {"no signature file", newer, ""},
      {"a signature one byte short", newer, signature.substr(0, 63)},
      {"a signature with a byte too many", newer, signature + "\n"},
      {"r and s zero", newer, std::string(64, '\0')},
      {"a configured key that is no point of the curve", newer, signature, std::string(128, '0')},
      {"a signed program of the same version", test::executableWithVersion(kSame),
       releaseKey().sign(test::executableWithVersion(kSame))},
      {"a signed older program", test::executableWithVersion(kOlder),
       releaseKey().sign(test::executableWithVersion(kOlder))},
      {"a signed program without a version resource", unversioned, releaseKey().sign(unversioned)},
      {"a signed but truncated program", newer.substr(0, 0x300), releaseKey().sign(newer.substr(0, 0x300))},
  };
  for (const Row& c : cases) {
    FakeEnvironment env;
    env.downloadBytes = c.program;
    env.pages["tluptool.exe.sig"] = c.signatureFile;
    test::FakeOperatorUi ui;
    ui.answers = {MessageAnswer::Ok};
    std::unique_ptr<SignatureVerifier> verifier = platform::makeSystemSignatureVerifier();
    EXPECT_EQ(runUpdateCheck(env, *verifier, ui, UpdateSettings{"h", c.key}), UpdateOutcome::Failed) << c.what;
    EXPECT_EQ(env.files, kUntouched) << c.what;
    EXPECT_TRUE(env.started.empty()) << c.what;
    ASSERT_EQ(ui.messages.size(), 2u) << c.what;
    EXPECT_EQ(ui.messages[1].text, kRefused);
    EXPECT_EQ(ui.messages[1].caption, "提示");
    EXPECT_EQ(ui.messages[1].icon, MessageIcon::Exclamation);
    EXPECT_EQ(ui.messages[1].buttons, MessageButtons::Ok);
  }
}

// The downloaded program counts by its four numbers, not by the digits run
// together: 1.3.0.0 (1300) is newer than 1.2.10.0 (12100), so an old signed
// 1.2.10.0 never comes back over 1.3.0.0.
TEST(UpdateCheck, TheDownloadedVersionMustBeHigherNumberByNumber) {
  struct Row {
    std::string local;
    update::FileVersion offered;
    UpdateOutcome expected;
  };
  const Row cases[] = {
      {"1.2.9.0", {{1, 2, 10, 0}}, UpdateOutcome::Restarting},
      {"1.3.0.0", {{1, 2, 10, 0}}, UpdateOutcome::Failed},
      {"1.2.4.0", {{2, 0, 0, 0}}, UpdateOutcome::Restarting},
      {"1.2.4.0", {{1, 2, 4, 1}}, UpdateOutcome::Restarting},
      {"1.2.4.1", {{1, 2, 4, 0}}, UpdateOutcome::Failed},
  };
  for (const Row& c : cases) {
    FakeEnvironment env;
    env.localVersion = c.local;
    env.pages["version.txt"] = "99.0.0.0";  // the server's claim does not count
    const std::string program = test::executableWithVersion(c.offered);
    env.serve(program, program);
    test::FakeOperatorUi ui;
    ui.answers = {MessageAnswer::Ok};
    EXPECT_EQ(check(env, ui), c.expected) << c.local << " → " << fileVersionText(c.offered);
  }
}

TEST(UpdateCheck, AFailedOrTruncatedDownloadLeavesTheProgramInPlace) {
  struct Row {
    const char* what;
    bool ok;
    std::string bytes;
  };
  const std::string exe = test::executableWithVersion(kNewer);
  const Row cases[] = {
      {"download failed", false, exe},
      {"html error page", true, "<html>404</html>"},
      {"truncated before the PE header", true, exe.substr(0, 0x42)},
      {"truncated inside the section data", true, exe.substr(0, 0x300)},
      {"empty", true, ""},
  };
  for (const Row& c : cases) {
    FakeEnvironment env;
    env.downloadOk = c.ok;
    env.downloadBytes = c.bytes;
    env.pages["tluptool.exe.sig"] = releaseKey().sign(c.bytes);
    test::FakeOperatorUi ui;
    ui.answers = {MessageAnswer::Ok};
    EXPECT_EQ(check(env, ui), UpdateOutcome::Failed) << c.what;
    EXPECT_EQ(env.files, kUntouched) << c.what;
    EXPECT_TRUE(env.started.empty());
    ASSERT_EQ(ui.messages.size(), 2u) << c.what;
    EXPECT_EQ(ui.messages[1].text, kRefused);
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
