// Sorting, renaming and exporting a large client list.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core/client_grid.h"
#include "editing/export_rows.h"
#include "editing/export_text.h"
#include "editing/name_sort.h"
#include "editing/rename.h"
#include "platform/file_system.h"

namespace tl {
namespace {

// Names in a scrambled order, a quarter of them equal except for case, some
// with a Chinese prefix.
void fillClients(ClientGrid& grid, int n) {
  grid.clear();
  for (int i = 0; i < n; ++i) {
    int k = int((long long)i * 7919 % n);
    int r = grid.appendRow(std::to_string(i + 1));
    std::string name = (k % 3 == 0 ? "网吧" : "") + std::string(k % 2 ? "pc" : "PC") + std::to_string(k / 4);
    grid.setCell(r, kColName, name);
    grid.setCell(r, kColIp, "192.168." + std::to_string(k / 250 % 256) + "." + std::to_string(k % 250 + 1));
    grid.setCell(r, kColMac, "00-1A-2B-3C-4D-5E");
    grid.setCell(r, kColMask, "255.255.255.0");
  }
}

void BM_HeaderClickSort(benchmark::State& state) {
  ClientGrid grid;
  fillClients(grid, int(state.range(0)));
  SortDirectionFlag flag;
  for (auto _ : state) headerClicked(grid, flag, kColName, [] {});
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_HeaderClickSort)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The sort's reference: std::sort of a copy of the same names, plain byte order.
void BM_StdSortNames(benchmark::State& state) {
  ClientGrid grid;
  fillClients(grid, int(state.range(0)));
  for (auto _ : state) {
    std::vector<std::string> names;
    names.reserve(size_t(grid.rowCount()));
    for (int r = 0; r < grid.rowCount(); ++r) names.push_back(grid.cell(r, kColName));
    std::sort(names.begin(), names.end());
    benchmark::DoNotOptimize(names.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_StdSortNames)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_RenameNamesAndIps(benchmark::State& state) {
  ClientGrid grid;
  fillClients(grid, int(state.range(0)));
  for (auto _ : state) {
    renameCells(grid, RenameMode::NamePrefix, "pc", "wb");
    renameCells(grid, RenameMode::NamePrefix, "wb", "pc");
    renameCells(grid, RenameMode::IpSegment, "192.168.", "10.0.");
    renameCells(grid, RenameMode::IpSegment, "10.0.", "192.168.");
  }
  state.SetItemsProcessed(state.iterations() * state.range(0) * 4);
}
BENCHMARK(BM_RenameNamesAndIps)->Arg(100000)->Unit(benchmark::kMillisecond);

// The renames' reference: the same four passes, each copying the name or the
// IP column into new strings (what any rewrite of every cell must do).
void BM_CopyNamesAndIps(benchmark::State& state) {
  ClientGrid grid;
  fillClients(grid, int(state.range(0)));
  for (auto _ : state) {
    for (int pass = 0; pass < 4; ++pass) {
      std::vector<std::string> cells;
      cells.reserve(size_t(grid.rowCount()));
      for (int r = 0; r < grid.rowCount(); ++r) cells.push_back(grid.cell(r, pass < 2 ? kColName : kColIp));
      benchmark::DoNotOptimize(cells.data());
    }
  }
  state.SetItemsProcessed(state.iterations() * state.range(0) * 4);
}
BENCHMARK(BM_CopyNamesAndIps)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ExportText(benchmark::State& state) {
  ClientGrid grid;
  fillClients(grid, int(state.range(0)));
  std::vector<int> rows(size_t(grid.rowCount()));
  for (int r = 0; r < grid.rowCount(); ++r) rows[size_t(r)] = r;
  size_t bytes = 0;
  for (auto _ : state) {
    std::string text = buildExportText(grid, rows, "arp -s ip mac rem name");
    bytes = text.size();
    benchmark::DoNotOptimize(text);
  }
  state.SetBytesProcessed(int64_t(state.iterations() * bytes));
}
BENCHMARK(BM_ExportText)->Arg(100000)->Unit(benchmark::kMillisecond);

// Every other name holds an "a", so with "mac" in the template half the
// lines take the three steps rather than the template's pieces.
void BM_ExportTextHalfTheLinesByTheSteps(benchmark::State& state) {
  ClientGrid grid;
  fillClients(grid, int(state.range(0)));
  for (int r = 0; r < grid.rowCount(); r += 2) grid.setCell(r, kColName, "a" + grid.cell(r, kColName));
  std::vector<int> rows(size_t(grid.rowCount()));
  for (int r = 0; r < grid.rowCount(); ++r) rows[size_t(r)] = r;
  for (auto _ : state) benchmark::DoNotOptimize(buildExportText(grid, rows, "name ip mac"));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ExportTextHalfTheLinesByTheSteps)->Arg(100000)->Unit(benchmark::kMillisecond);

// The export menu's whole path, written to a file in the temporary folder.
class QuietUi : public OperatorUi {
 public:
  MessageAnswer showMessage(const std::string&, const std::string&, MessageIcon, MessageButtons) override {
    return MessageAnswer::Ok;
  }
  std::string askText(const std::string&, const std::string&, const std::string& initial) override { return initial; }
  std::optional<std::string> chooseFileToOpen(const OpenFileRequest&) override { return std::nullopt; }
  std::string desktopFolder() override { return "/tmp"; }
  void processPendingMessages() override {}
};

void BM_ExportAllRowsToFile(benchmark::State& state) {
  ClientGrid grid;
  fillClients(grid, int(state.range(0)));
  QuietUi ui;
  platform::LocalClock clock = [] { return platform::LocalDateTime{2024, 1, 5, 9, 30, 7}; };
  const std::string path = "/tmp/tl-editing-bench-export.txt";
  for (auto _ : state) exportRows(ExportContext{grid, ui, clock}, ExportScope::AllRows, path);
  std::remove(path.c_str());
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ExportAllRowsToFile)->Arg(100000)->Unit(benchmark::kMillisecond);

// The export's reference: writing the finished export text to the file once.
void BM_WriteExportTextOnce(benchmark::State& state) {
  ClientGrid grid;
  fillClients(grid, int(state.range(0)));
  std::vector<int> rows(size_t(grid.rowCount()));
  for (int r = 0; r < grid.rowCount(); ++r) rows[size_t(r)] = r;
  const std::string text = buildExportText(grid, rows, "arp -s ip mac rem name");
  const std::string path = "/tmp/tl-editing-bench-write.txt";
  for (auto _ : state) platform::writeFileBytes(path, text);
  std::remove(path.c_str());
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_WriteExportTextOnce)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tl
