// tlconv run in-process: arguments in UTF-8, output in UTF-8.
#include "cli/tlconv_app.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <sstream>

#include "tests/support/temp_dir.h"

namespace tl::cli {
namespace {

using test::TempDir;

struct CliRun {
  int status;
  std::string out, err;
};

CliRun tlconv(std::vector<std::string> args) {
  std::ostringstream out, err;
  int status = runTlconv(args, out, err);
  return {status, out.str(), err.str()};
}

// UTF-8 spellings of the texts checked below (the sources' literals are GBK).
const std::string kUnsupported = "\xE5\x88\x97\xE8\xA1\xA8\xE6\x96\x87\xE4\xBB\xB6\xE4\xB8\x8D\xE6\x94\xAF\xE6\x8C\x81";
const std::string kCannotOpen = "\xE6\x95\xB0\xE6\x8D\xAE\xE5\xBA\x93\xE6\x89\x93\xE5\xBC\x80\xE5\xA4\xB1\xE8\xB4\xA5\xEF\xBC\x81";

TEST(Tlconv, UsageErrorsExitWithTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {}, {"frobnicate"}, {"show"}, {"show", "--bogus", "x"}, {"detect", "a", "b"},
  };
  for (const auto& args : cases) EXPECT_EQ(tlconv(args).status, 2) << (args.empty() ? "" : args[0]);
  EXPECT_EQ(tlconv({"--help"}).status, 0);
}

TEST(Tlconv, DetectPrintsTheNameOrAnEmptyLine) {
  TempDir dir;
  CliRun unsupported = tlconv({"detect", dir.write("x.txt", "hello")});
  EXPECT_EQ(unsupported.status, 1);
  EXPECT_EQ(unsupported.out, "\n");

  CliRun missing = tlconv({"detect", dir.file("missing.db")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.out, "\n");
  EXPECT_NE(missing.err.find(kCannotOpen), std::string::npos);

  CliRun wks = tlconv({"detect", dir.write("wks.ini", "[001122AABBCC]\nWksName=PC01\n")});
  EXPECT_EQ(wks.out, "\xE9\x94\x90\xE8\xB5\xB7\xE6\x97\xA0\xE7\x9B\x98\n");  // 锐起无盘
}

TEST(Tlconv, ShowJsonCarriesTypeStatusRowsAndMessages) {
  TempDir dir;
  std::string path = dir.write("x.txt", "hello");
  CliRun run = tlconv({"show", "--json", path});
  EXPECT_EQ(run.status, 1);
  nlohmann::json expected = {{"type", ""}, {"rows", nlohmann::json::array()},
                             {"messages", nlohmann::json::array()}, {"notes", nlohmann::json::array()},
                             {"status", {"", path, kUnsupported}}};
  EXPECT_EQ(nlohmann::json::parse(run.out), expected);
  EXPECT_EQ(run.out.find('\n'), run.out.size() - 1);  // one line
  EXPECT_EQ(run.err, "");

  CliRun missing = tlconv({"show", "--json", dir.file("missing.db")});
  EXPECT_NE(missing.out.find("{\"caption\":\"\xE6\x8F\x90\xE7\xA4\xBA\",\"icon\":\"error\",\"text\":\"" + kCannotOpen),
            std::string::npos)
      << missing.out;
}

TEST(Tlconv, ShowTableNamesAnUnsupportedFileOnStandardError) {
  TempDir dir;
  CliRun run = tlconv({"show", "--local-dns", "", dir.write("x.txt", "hello")});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find(kUnsupported), std::string::npos);
  EXPECT_NE(run.out.find(kUnsupported), std::string::npos);  // the type field
}

}  // namespace
}  // namespace tl::cli
