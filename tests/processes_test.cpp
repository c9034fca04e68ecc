#include <gtest/gtest.h>

#include <filesystem>

#include "data/text/gbk_text.h"
#include "platform/file_system.h"
#include "platform/processes.h"
#include "platform/service_control.h"
#include "tests/support/temp_dir.h"

#ifndef _WIN32
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace tl {
namespace {

TEST(ModulePath, KernelFormsBecomeDosPaths) {
  struct Case {
    std::string path, expected;
  };
  const Case cases[] = {
      {"\\SystemRoot\\System32\\smss.exe", "C:\\Windows\\System32\\smss.exe"},
      {"\\??\\D:\\srv\\YCTLBarserver.exe", "D:\\srv\\YCTLBarserver.exe"},
      {"\\systemroot\\System32\\smss.exe", "\\systemroot\\System32\\smss.exe"},  // compared exactly
      {"\\??\\\\??\\x.exe", "\\??\\x.exe"},                                      // the first one only
      {"C:\\a\\SystemRoot\\b.exe", "C:\\a\\SystemRoot\\b.exe"},
      {"\\??", "\\??"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(platform::normalizeModulePath(c.path, "C:\\Windows"), c.expected) << c.path;
}

TEST(SystemProcesses, OwnExecutableAndUnknownNames) {
  auto processes = platform::makeSystemProcesses();
  EXPECT_EQ(processes->executablePath(0), platform::programPath());
  EXPECT_EQ(processes->findProcess("no-such-program-4f1c.exe"), 0u);
  EXPECT_EQ(processes->executablePath(0xFFFFFFF0u), "");
}

#ifdef _WIN32
std::string fileName(const std::string& path) {
  size_t cut = path.find_last_of(platform::pathSeparator());
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

// Each Wine prefix has its own process table, so the test program's own name
// is found as this very process, whatever letter case is asked for.
TEST(SystemProcesses, FindsARunningProgramByNameInAnyCase) {
  auto processes = platform::makeSystemProcesses();
  std::string own = fileName(platform::programPath());
  uint32_t id = processes->findProcess(text::toUpperAscii(own));
  ASSERT_NE(id, 0u);
  EXPECT_EQ(text::toLowerAscii(processes->executablePath(id)), text::toLowerAscii(platform::programPath()));
  std::string system = processes->executablePath(4);  // the system process: the system directory
  ASSERT_FALSE(system.empty());
  EXPECT_EQ(system.back(), '\\');
  EXPECT_TRUE(text::contains(system, "system32", text::Case::Insensitive)) << system;
}

TEST(SystemServices, RestartOfAMissingServiceFails) {
  auto services = platform::makeSystemServiceControl();
  EXPECT_EQ(services->restart("tl-no-such-service"), platform::ServiceRestart::Failed);
}
#else
// A copy of a small program under a mixed-case name that nothing else runs.
TEST(SystemProcesses, FindsARunningProgramByNameInAnyCase) {
  test::TempDir dir;
  const std::string name = "TlProbe-" + std::to_string(::getpid()) + ".EXE";
  const std::string copy = dir.file(name);
  std::filesystem::copy_file("/bin/sleep", copy);
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::execl(copy.c_str(), copy.c_str(), "30", static_cast<char*>(nullptr));
    ::_exit(127);
  }
  auto processes = platform::makeSystemProcesses();
  uint32_t id = 0;
  // The child needs a moment to replace the forked image by the copy.
  for (int i = 0; i < 200 && id == 0; ++i) {
    id = processes->findProcess(text::toLowerAscii(name));
    if (id == 0) ::usleep(10'000);
  }
  EXPECT_EQ(id, uint32_t(child));
  EXPECT_EQ(processes->executablePath(id), copy);
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
}

TEST(SystemServices, RestartIsSkippedWithoutAServiceManager) {
  auto services = platform::makeSystemServiceControl();
  EXPECT_EQ(services->restart("sentry_bs"), platform::ServiceRestart::Skipped);
}
#endif

}  // namespace
}  // namespace tl
