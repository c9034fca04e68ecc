#include <CLI/CLI.hpp>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/edit_options.h"
#include "cli/export_request.h"
#include "cli/tlconv_app.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"
#include "tests/support/temp_dir.h"

namespace tl::cli {
namespace {

// Parses EDITS as a command would; `args` in command-line order.
std::vector<EditStep> parseEdits(std::vector<std::string> args) {
  CLI::App app;
  Options options;
  addEditOptions(&app, options);
  std::vector<std::string> reversed(args.rbegin(), args.rend());
  app.parse(reversed);
  collectEdits(app, options);
  return options.edits;
}

std::string describe(const std::vector<EditStep>& steps) {
  std::string out;
  for (const EditStep& s : steps) {
    switch (s.kind) {
      case EditStep::Kind::SortAscending: out += "asc;"; break;
      case EditStep::Kind::SortDescending: out += "desc;"; break;
      case EditStep::Kind::ReplaceName: out += "name(" + s.from + "," + s.to + ");"; break;
      case EditStep::Kind::ReplaceIp: out += "ip(" + s.from + "," + s.to + ");"; break;
    }
  }
  return out;
}

TEST(TlconvEdits, KeepCommandLineOrder) {
  struct Case {
    std::vector<std::string> args;
    std::string expected;
  } cases[] = {
      {{}, ""},
      {{"--sort", "asc"}, "asc;"},
      {{"--replace-name", "pc", "wb", "--sort", "desc", "--replace-ip", "192.168.0.", "10.0.0.", "--sort", "asc"},
       "name(pc,wb);desc;ip(192.168.0.,10.0.0.);asc;"},
      {{"--replace-ip", "1", "2", "--replace-name", "a", "", "--replace-ip", "3", "4"}, "ip(1,2);name(a,);ip(3,4);"},
      {{"--replace-name=x", "y"}, "name(x,y);"},
  };
  for (const Case& c : cases) EXPECT_EQ(describe(parseEdits(c.args)), c.expected);
  EXPECT_THROW(parseEdits({"--sort", "up"}), CLI::ParseError);
  EXPECT_THROW(parseEdits({"--replace-name", "pc"}), CLI::ParseError);
}

void fill(ClientGrid& grid, const std::vector<std::pair<std::string, std::string>>& clients) {
  for (const auto& [name, ip] : clients) {
    int r = grid.appendRow("0");
    grid.setCell(r, kColName, name);
    grid.setCell(r, kColIp, ip);
  }
}

std::string names(const ClientGrid& grid) {
  std::string out;
  for (int r = 0; r < grid.rowCount(); ++r) out += grid.cell(r, kColNumber) + ":" + grid.cell(r, kColName) + " ";
  return out;
}

TEST(TlconvEdits, ApplyInOrderWithRenumbering) {
  std::ostringstream err;
  Session session(err);
  fill(session.converter.grid(), {{"pc9", "192.168.0.9"}, {"PC10", "192.168.0.10"}, {"xpc1", "192.168.1.1"}});
  Options options;
  // Renaming first changes what the sort sees: "wb10" < "wb9" < "xwb1".
  options.edits = {{EditStep::Kind::ReplaceName, "pc", "wb"},
                   {EditStep::Kind::SortAscending, "", ""},
                   {EditStep::Kind::ReplaceIp, "192.168.0.", "10.0.0."}};
  applyEdits(session, options);
  const ClientGrid& grid = session.converter.grid();
  EXPECT_EQ(names(grid), "1:wb10 2:wb9 3:xwb1 ");
  EXPECT_EQ(grid.cell(0, kColIp), "10.0.0.10");
  EXPECT_EQ(grid.cell(2, kColIp), "192.168.1.1");
  options.edits = {{EditStep::Kind::SortDescending, "", ""}};
  applyEdits(session, options);
  EXPECT_EQ(names(grid), "1:xwb1 2:wb9 3:wb10 ");
  // Chinese from UTF-8 arguments reach the GBK grid.
  options.edits = {{EditStep::Kind::ReplaceName, "wb", "\xE7\xBD\x91\xE5\x90\xA7"}};  // 网吧 in UTF-8
  applyEdits(session, options);
  EXPECT_EQ(grid.cell(1, kColName), "网吧9");
}

TEST(TlconvExport, RowPositions) {
  struct Case {
    std::string list;
    bool ok;
    std::vector<int> rows;
  } cases[] = {
      {"", true, {}},       {"1", true, {0}},   {"3,1", true, {2, 0}}, {"2,2", true, {1, 1}},
      {"0", false, {}},     {"4", false, {}},   {"-1", false, {}},     {"a", false, {}},
      {"1,", false, {}},    {",1", false, {}},  {"1 ", false, {}},     {"99999999999999999999", false, {}},
  };
  for (const Case& c : cases) {
    std::vector<int> rows;
    std::string error;
    EXPECT_EQ(parseRowPositions(c.list, 3, rows, error), c.ok) << c.list;
    if (c.ok) {
      EXPECT_EQ(rows, c.rows) << c.list;
    } else {
      EXPECT_NE(error.find("--rows"), std::string::npos);
    }
  }
}

struct ExportRun {
  ExportRun() : session(err) {
    fill(session.converter.grid(), {{"PC01", "10.0.0.1"}, {"PC02", "10.0.0.2"}, {"PC03", "10.0.0.3"}});
  }
  int run(ExportRequest request) { return exportGrid(session, request, dir.file("list.db"), out, err); }

  test::TempDir dir;
  std::ostringstream out, err;
  Session session;
};

TEST(TlconvExport, WritesStopsAndFailsWithTheirExitStatus) {
  {
    ExportRun e;
    std::string out = e.dir.file("out.txt");
    EXPECT_EQ(e.run({"name=ip", "3,1", out}), 0);
    EXPECT_EQ(test::readAll(out), "PC01=10.0.0.1\r\nPC03=10.0.0.3");
    EXPECT_NE(e.err.str().find(platform::gbkToUtf8("已导出文件 文件位置：")), std::string::npos);  // UTF-8 on the stream
  }
  {
    ExportRun e;
    EXPECT_EQ(e.run({"name", "", e.dir.file("out.txt")}), 1);
    EXPECT_NE(e.err.str().find(platform::gbkToUtf8("请选择要导出的机器")), std::string::npos);
    EXPECT_FALSE(platform::fileExists(e.dir.file("out.txt")));
  }
  {
    ExportRun e;
    EXPECT_EQ(e.run({"name", "4", e.dir.file("out.txt")}), 2);
    EXPECT_EQ(e.run({"", std::nullopt, e.dir.file("out.txt")}), 1);
    EXPECT_NE(e.err.str().find(platform::gbkToUtf8("导出模板为空")), std::string::npos);
    EXPECT_FALSE(platform::fileExists(e.dir.file("out.txt")));
  }
  {
    ExportRun e;
    e.session.converter.grid().clear();
    EXPECT_EQ(e.run({"name", std::nullopt, e.dir.file("out.txt")}), 1);
    EXPECT_NE(e.err.str().find(platform::gbkToUtf8("列表中没有客户机")), std::string::npos);
  }
  {
    ExportRun e;
    EXPECT_EQ(e.run({"name", std::nullopt, e.dir.file("missing/out.txt")}), 1);
    EXPECT_NE(e.err.str().find(platform::gbkToUtf8("导出文件失败 文件位置：")), std::string::npos);
  }
}

TEST(TlconvExport, RepeatedRowListsAreJoined) {
  EXPECT_EQ(joinRowLists({"1,2"}), "1,2");
  EXPECT_EQ(joinRowLists({"3", "1"}), "3,1");
  EXPECT_EQ(joinRowLists({"", "2", ""}), "2");
  EXPECT_EQ(joinRowLists({""}), "");  // the empty selection stays empty
}

}  // namespace
}  // namespace tl::cli
