#include "editing/name_sort.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "data/text/gbk_text.h"
#include "tests/support/fake_platform.h"

namespace tl {
namespace {

// Each row gets the name and, in the IP column, its position before any
// click, so that rows with equal names can be told apart. Column 0 starts
// out of order to show the renumbering.
void fill(ClientGrid& grid, const std::vector<std::string>& names) {
  grid.clear();
  for (size_t i = 0; i < names.size(); ++i) {
    int r = grid.appendRow(std::to_string(100 - i));
    grid.setCell(r, kColName, names[i]);
    grid.setCell(r, kColIp, std::to_string(i));
  }
}

std::vector<std::string> column(const ClientGrid& grid, int c) {
  std::vector<std::string> out;
  for (int r = 0; r < grid.rowCount(); ++r) out.push_back(grid.cell(r, c));
  return out;
}

std::vector<std::string> numbers(size_t n) {
  std::vector<std::string> out;
  for (size_t i = 1; i <= n; ++i) out.push_back(std::to_string(i));
  return out;
}

struct ClickCase {
  const char* what;
  std::vector<std::string> names;
  std::vector<int> clicks;                   // header indices, in order
  std::vector<std::string> expectedOrigins;  // former positions, top to bottom
  SortDirection expectedNext;
};

void PrintTo(const ClickCase& c, std::ostream* os) { *os << c.what; }

class HeaderClickTest : public testing::TestWithParam<ClickCase> {};

TEST_P(HeaderClickTest, SortsAlternatesAndRenumbers) {
  const ClickCase& c = GetParam();
  ClientGrid grid;
  SortDirectionFlag flag;
  fill(grid, c.names);
  for (int header : c.clicks) headerClicked(grid, flag, header);
  EXPECT_EQ(column(grid, kColIp), c.expectedOrigins);
  EXPECT_EQ(flag.next(), c.expectedNext);
  if (!c.names.empty()) {
    EXPECT_EQ(column(grid, kColNumber), numbers(c.names.size()));
  }
}

const std::vector<std::string> kPcNames{"PC1", "PC10", "PC9"};

INSTANTIATE_TEST_SUITE_P(
    Clicks, HeaderClickTest,
    testing::Values(
        ClickCase{"first click sorts descending", kPcNames, {1}, {"2", "1", "0"}, SortDirection::Ascending},
        ClickCase{"second click ascending: bytes, not numbers", kPcNames, {1, 1}, {"0", "1", "2"},
                  SortDirection::Descending},
        ClickCase{"third click descending again", kPcNames, {1, 1, 1}, {"2", "1", "0"}, SortDirection::Ascending},
        ClickCase{"a click on another header flips the direction", kPcNames, {1, 2, 1}, {"2", "1", "0"},
                  SortDirection::Ascending},
        ClickCase{"other headers reorder nothing", {"b", "a", "c"}, {0, 2, 7}, {"0", "1", "2"},
                  SortDirection::Ascending},
        ClickCase{"an earlier click elsewhere makes the first sort ascending", kPcNames, {3, 1}, {"0", "1", "2"},
                  SortDirection::Descending},
        ClickCase{"an empty grid keeps the flag", {}, {1, 1, 1}, {}, SortDirection::Descending},
        ClickCase{"equal keys reversed, descending", {"pc01", "x", "PC01", "Pc01"}, {1}, {"1", "3", "2", "0"},
                  SortDirection::Ascending},
        ClickCase{"equal keys reversed, ascending", {"pc01", "x", "PC01", "Pc01"}, {0, 1}, {"3", "2", "0", "1"},
                  SortDirection::Descending},
        // Upper-case folding: "a" is "A" (0x41) and so before "_" (0x5F);
        // folding to lower case would put it after.
        ClickCase{"letters fold to upper case", {"_", "b", "a", "B1"}, {0, 1}, {"2", "1", "3", "0"},
                  SortDirection::Descending},
        ClickCase{"the empty name first ascending", {"a", "", "A0"}, {0, 1}, {"1", "0", "2"},
                  SortDirection::Descending},
        ClickCase{"the empty name last descending", {"", "a", "A0"}, {1}, {"2", "1", "0"}, SortDirection::Ascending},
        // GBK: 李 C0EE < 王 CDF5 < 张 D5C5, all after ASCII.
        ClickCase{"Chinese names by their GBK bytes", {"张三", "王五", "PC1", "李四"}, {0, 1}, {"2", "3", "1", "0"},
                  SortDirection::Descending},
        // The second byte of a double-byte character is not a letter:
        // B0 61 and B0 41 differ, so their order is kept (not reversed as
        // equal keys would be).
        ClickCase{"trail bytes are not folded", {"\xB0\x41", "\xB0\x61"}, {0, 1}, {"0", "1"},
                  SortDirection::Descending},
        ClickCase{"one row stays and is numbered 1", {"only"}, {1}, {"0"}, SortDirection::Ascending}),
    [](const testing::TestParamInfo<ClickCase>& info) {
      std::string name = info.param.what;
      for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return name;
    });

// The selection passes as the operator knows them: repeatedly take the
// first remaining entry as candidate and let every later entry that orders
// before it (ascending) or after it (descending), or equals it, replace it.
std::vector<int> selectionPassOrder(std::vector<std::string> keys, bool ascending) {
  std::vector<int> rows(keys.size());
  for (size_t i = 0; i < rows.size(); ++i) rows[i] = int(i);
  for (std::string& key : keys)
    for (char& ch : key) ch = text::asciiUpper(ch);  // test keys have no double-byte characters
  std::vector<int> order;
  while (!rows.empty()) {
    size_t candidate = 0;
    for (size_t e = 1; e < rows.size(); ++e) {
      int c = keys[size_t(rows[candidate])].compare(keys[size_t(rows[e])]);
      if (ascending ? c >= 0 : c <= 0) candidate = e;
    }
    order.push_back(rows[candidate]);
    rows.erase(rows.begin() + long(candidate));
  }
  return order;
}

TEST(SortGrid, MatchesTheSelectionPassesOnManyTies) {
  std::mt19937 random(7);
  const std::vector<std::string> pieces{"", "a", "A", "b", "B", "1", "_", "~", "z"};
  for (int round = 0; round < 40; ++round) {
    std::vector<std::string> names(size_t(1 + random() % 60));
    for (std::string& name : names)
      for (unsigned k = random() % 4; k > 0; --k) name += pieces[random() % pieces.size()];
    for (bool ascending : {true, false}) {
      ClientGrid grid;
      fill(grid, names);
      sortGrid(grid, kColName, ascending ? SortDirection::Ascending : SortDirection::Descending, false);
      std::vector<std::string> expected;
      for (int row : selectionPassOrder(names, ascending)) expected.push_back(std::to_string(row));
      ASSERT_EQ(column(grid, kColIp), expected) << "round " << round << (ascending ? " asc" : " desc");
    }
  }
}

TEST(SortGrid, MovesWholeRowsKeepsSelectionAndIgnoresBadColumns) {
  ClientGrid grid;
  fill(grid, {"b", "c", "a"});
  grid.setCell(0, kColDns2, "dns-of-b");
  grid.setSelected(2, true);
  sortGrid(grid, kColName, SortDirection::Ascending, false);
  EXPECT_EQ(column(grid, kColName), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(grid.cell(1, kColDns2), "dns-of-b");
  EXPECT_EQ(column(grid, kColNumber), (std::vector<std::string>{"98", "100", "99"}));  // moved, not renumbered
  EXPECT_EQ(grid.selectedRows(), std::vector<int>{2});

  for (int bad : {-1, 8}) {
    sortGrid(grid, bad, SortDirection::Descending, false);
    EXPECT_EQ(column(grid, kColName), (std::vector<std::string>{"a", "b", "c"}));
  }
  fill(grid, {"a", "B"});  // case-sensitive: "B" (0x42) before "a" (0x61)
  sortGrid(grid, kColName, SortDirection::Ascending, true);
  EXPECT_EQ(column(grid, kColName), (std::vector<std::string>{"B", "a"}));
}

// A window that delivers a header click while the sort lets it repaint.
class ClickingUi : public test::FakeOperatorUi {
 public:
  void processPendingMessages() override {
    ++pumps;
    if (converter) converter->headerClicked(kColName);
  }
  ListConverter* converter = nullptr;
};

TEST(ListConverterSort, RepaintsNowAndThenAndIgnoresClicksDuringTheSort) {
  ClickingUi ui;
  auto ini = platform::makeSystemIniFiles();
  test::FakeLocalNetwork network;
  test::FakeProcesses processes;
  test::FakeServiceControl services;
  ListConverter converter(PlatformServices{ui, *ini, network, processes, services});
  ui.converter = &converter;
  const int n = 20000;
  std::vector<std::string> names;
  for (int i = 0; i < n; ++i) names.push_back("PC" + std::to_string((i * 7919) % n));
  fill(converter.grid(), names);

  converter.headerClicked(kColName);
  EXPECT_GT(ui.pumps, 1);
  EXPECT_LT(ui.pumps, n / 100);  // bounded, not once per comparison
  EXPECT_EQ(converter.nextSortDirection(), SortDirection::Ascending);  // one click counted
  for (int r = 1; r < n; ++r) ASSERT_GE(converter.grid().cell(r - 1, kColName), converter.grid().cell(r, kColName));
  EXPECT_EQ(converter.grid().cell(n - 1, kColNumber), std::to_string(n));
}

}  // namespace
}  // namespace tl
