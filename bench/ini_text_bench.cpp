// Reading a 10,000-client INI list (锐起 WKS.INI form) and a 10,000-client
// text list (信佑 form) against reading the same file's bytes once.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "bench/support/read_list_loop.h"
#include "platform/file_system.h"
#include "platform/ini_text.h"
#include "readers/ruiqi_wks_ini_reader.h"
#include "readers/xinyou_txt_reader.h"
#include "tests/support/fake_platform.h"

namespace {

constexpr int kClients = 10000;

struct GeneratedLists {
  std::string iniPath, textPath;

  GeneratedLists() {
    auto dir = std::filesystem::temp_directory_path() / "tl_ini_text_bench";
    std::filesystem::create_directories(dir);
    iniPath = (dir / "WKS.INI").string();
    textPath = (dir / "clients.txt").string();
    std::string ini, text = "Name,IP,Mac,Type\r\n";
    char line[512];
    for (int i = 0; i < kClients; ++i) {
      int a = i / 250, b = i % 250 + 1;
      std::snprintf(line, sizeof line,
                    "[0011%02X%02X%04X]\r\nWksName=PC%05d\r\nIpAddr=10.0.%d.%d\r\nNetmask=255.255.0.0\r\n"
                    "Gateway=10.0.0.1\r\nPreferredDNS=10.0.0.2\r\nBackupDNS=10.0.0.3\r\nDiskless=1\r\n",
                    a, b, i, i, a, b);
      ini += line;
      std::snprintf(line, sizeof line, "PC%05d,10.0.%d.%d,00:11:%02X:%02X:%02X:%02X,1\r\n", i, a, b, a, b, i >> 8,
                    i & 0xFF);
      text += line;
    }
    std::ofstream(iniPath, std::ios::binary) << ini;
    std::ofstream(textPath, std::ios::binary) << text;
    // Let the files age past the reader's window for just-written files.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
};

const GeneratedLists& lists() {
  static const GeneratedLists generated;
  return generated;
}

void readBytesOnce(benchmark::State& state, const std::string& path) {
  std::string bytes;
  for (auto _ : state) {
    tl::platform::readFileBytes(path, bytes);
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}

void BM_IniFileBytesOnce(benchmark::State& state) { readBytesOnce(state, lists().iniPath); }
void BM_TextFileBytesOnce(benchmark::State& state) { readBytesOnce(state, lists().textPath); }

// The readers' reference: the file's bytes read once, and the same cells the
// reader makes appended to a grid from memory (what any reader must do at
// the least).
void readBytesAndFillGrid(benchmark::State& state, tl::ListReader reader, const std::string& path) {
  tl::test::TestApp made;
  tl::ReaderContext context = made.context();
  reader(context, path);
  std::vector<tl::ClientRow> rows;
  for (int r = 0; r < made.grid().rowCount(); ++r) rows.push_back(made.grid().row(r));
  const std::string count = made.grid().status(tl::kCountField);

  tl::ClientGrid grid;
  std::string bytes;
  for (auto _ : state) {
    tl::platform::readFileBytes(path, bytes);
    benchmark::DoNotOptimize(bytes.data());
    grid.clear();
    grid.setStatus(tl::kCountField, count);
    for (const tl::ClientRow& row : rows) {
      int r = grid.appendRow(row[tl::kColNumber]);
      for (int c = 1; c < tl::kColumnCount; ++c) grid.setCell(r, c, row[size_t(c)]);
    }
  }
}

void BM_IniBytesAndGridOnce(benchmark::State& state) {
  readBytesAndFillGrid(state, tl::readRuiqiWksIni, lists().iniPath);
}
void BM_TextBytesAndGridOnce(benchmark::State& state) {
  readBytesAndFillGrid(state, tl::readXinyouTxt, lists().textPath);
}

void BM_IniTextParse(benchmark::State& state) {
  std::string bytes;
  tl::platform::readFileBytes(lists().iniPath, bytes);
  for (auto _ : state) {
    tl::platform::IniText ini(bytes);
    benchmark::DoNotOptimize(&ini);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}

// The whole reader: section names, six values per client, the grid.
void BM_RuiqiWksIniReader(benchmark::State& state) {
  tl::bench::readListLoop(state, tl::readRuiqiWksIni, lists().iniPath, kClients);
}

void BM_XinyouTxtReader(benchmark::State& state) {
  tl::bench::readListLoop(state, tl::readXinyouTxt, lists().textPath, kClients);
}

BENCHMARK(BM_IniFileBytesOnce)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IniBytesAndGridOnce)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextBytesAndGridOnce)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IniTextParse)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RuiqiWksIniReader)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextFileBytesOnce)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XinyouTxtReader)->Unit(benchmark::kMillisecond);

}  // namespace
