#include <gtest/gtest.h>

#include "import/import_check.h"

namespace tl {
namespace {

// name, IP, MAC, mask, gateway, DNS1, DNS2 (column 0 is the running number).
using Cells = std::vector<std::string>;

const Cells kGood1 = {"PC01", "192.168.1.11", "00-1A-2B-3C-4D-01", "255.255.255.0", "192.168.1.1", "8.8.8.8", ""};
const Cells kGood2 = {"PC02", "192.168.1.12", "00:1a:2b:3c:4d:02", "255.255.255.0", "192.168.1.1", "", "8.8.4.4"};

void fill(ClientGrid& grid, const std::vector<Cells>& rows) {
  for (const Cells& cells : rows) {
    int r = grid.appendRow(std::to_string(grid.rowCount() + 1));
    for (size_t c = 0; c < cells.size(); ++c) grid.setCell(r, kColName + int(c), cells[c]);
  }
}

Cells with(Cells cells, int column, const std::string& value) {
  cells[size_t(column - kColName)] = value;
  return cells;
}

struct Found {
  std::string kind;
  std::vector<int> rows;
  bool operator==(const Found&) const = default;
};

std::vector<Found> check(const std::vector<Cells>& rows) {
  ClientGrid grid;
  fill(grid, rows);
  std::vector<Found> found;
  for (const ImportProblem& p : checkClientGrid(grid)) found.push_back({std::string(p.kind), p.rows});
  return found;
}

TEST(ImportCheck, FindsEachKindOfProblem) {
  struct Case {
    const char* what;
    std::vector<Cells> rows;
    std::vector<Found> found;
  };
  const Case cases[] = {
      {"clean list", {kGood1, kGood2}, {}},
      // Separators and ASCII case do not make two MACs different.
      {"same MAC", {kGood1, with(kGood2, kColMac, "001a.2b3c.4d01")}, {{"duplicate-mac", {0, 1}}}},
      {"same IP", {kGood1, with(kGood2, kColIp, "192.168.1.11")}, {{"duplicate-ip", {0, 1}}}},
      {"same name, other case", {kGood1, with(kGood2, kColName, "pc01")}, {{"duplicate-name", {0, 1}}}},
      {"three rows, one MAC", {kGood1, with(kGood2, kColMac, "001A2B3C4D01"),
                               with(with(with(kGood2, kColName, "PC03"), kColIp, "192.168.1.13"), kColMac,
                                    "00-1a-2b-3c-4d-01")},
       {{"duplicate-mac", {0, 1, 2}}}},
      {"empty name", {with(kGood1, kColName, "")}, {{"empty-name", {0}}}},
      {"MAC of 11 digits", {with(kGood1, kColMac, "00-1A-2B-3C-4D-0")}, {{"bad-mac", {0}}}},
      {"MAC with a letter past F", {with(kGood1, kColMac, "00-1A-2B-3C-4D-0G")}, {{"bad-mac", {0}}}},
      {"MAC missing", {with(kGood1, kColMac, "没有")}, {{"bad-mac", {0}}}},
      {"IP piece over 255", {with(kGood1, kColIp, "192.168.1.256")}, {{"bad-ip", {0}}}},
      {"IP of three pieces", {with(kGood1, kColIp, "192.168.1")}, {{"bad-ip", {0}}}},
      {"IP with a space", {with(kGood1, kColIp, " 192.168.1.11")}, {{"bad-ip", {0}}}},
      {"empty mask", {with(kGood1, kColMask, "")}, {{"bad-mask", {0}}}},
      {"gateway not a quad", {with(kGood1, kColGateway, "gw")}, {{"bad-gateway", {0}}}},
      {"DNS not a quad", {with(kGood1, kColDns2, "1.2.3")}, {{"bad-dns", {0}}}},
      {"mask with a hole", {with(kGood1, kColMask, "255.0.255.0")}, {{"noncontiguous-mask", {0}}}},
      {"gateway in another subnet", {with(kGood1, kColGateway, "192.168.2.1")}, {{"gateway-outside-subnet", {0}}}},
      // A wider mask takes the gateway in.
      {"gateway under a wider mask", {with(with(kGood1, kColGateway, "192.168.2.1"), kColMask, "255.255.0.0")}, {}},
      // Without a valid mask the subnets are not compared.
      {"bad mask, other gateway", {with(with(kGood1, kColGateway, "10.0.0.1"), kColMask, "x")}, {{"bad-mask", {0}}}},
      {"several together",
       {with(kGood1, kColName, ""), with(with(kGood2, kColMac, "00-1A-2B-3C-4D-01"), kColDns1, "8.8.8")},
       {{"duplicate-mac", {0, 1}}, {"empty-name", {0}}, {"bad-dns", {1}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(check(c.rows), c.found);
  }
}

TEST(ImportCheck, TextsNameTheRows) {
  ClientGrid grid;
  fill(grid, {kGood1, with(kGood2, kColMac, "00-1A-2B-3C-4D-01")});
  std::vector<ImportProblem> problems = checkClientGrid(grid);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].text, "MAC地址重复 00-1A-2B-3C-4D-01: 序号 1 PC01, 序号 2 PC02");
  EXPECT_EQ(importCheckQuestion(problems),
            "客户机列表有 1 处问题:\r\nMAC地址重复 00-1A-2B-3C-4D-01: 序号 1 PC01, 序号 2 PC02\r\n是否仍然导入？");
}

TEST(ImportCheck, QuestionShowsTheFirstTwentyThenTheRest) {
  std::vector<ImportProblem> problems;
  for (int i = 0; i < 23; ++i) problems.push_back({"bad-ip", {i}, std::string(1, 'P').append(std::to_string(i))});
  std::string text = importCheckQuestion(problems);
  EXPECT_NE(text.find("P19\r\n另有 3 处问题\r\n是否仍然导入？"), std::string::npos) << text;
  EXPECT_EQ(text.find("P20"), std::string::npos);
}

}  // namespace
}  // namespace tl
