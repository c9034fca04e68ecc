// Reading a 10,000-row 云更新 and 方格子 database, as a dropped file is read
// (detection, dispatch, reader) and by the reader alone. The machine's own
// network configuration is used, since the 方格子 reader asks for the local
// DNS servers on every row.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "core/list_converter.h"
#include "platform/ini_files.h"
#include "platform/local_network.h"
#include "readers/fanggezi_db_reader.h"
#include "readers/yungengxin_db_reader.h"

namespace {

constexpr int kRows = 10000;

class SilentUi : public tl::OperatorUi {
 public:
  tl::MessageAnswer showMessage(const std::string&, const std::string&, tl::MessageIcon, tl::MessageButtons) override {
    ++messages;
    return tl::MessageAnswer::Ok;
  }
  std::string askText(const std::string&, const std::string&, const std::string&) override { return {}; }
  std::optional<std::string> chooseFileToOpen(const tl::OpenFileRequest&) override { return std::nullopt; }
  std::string desktopFolder() override { return {}; }
  void processPendingMessages() override {}
  int messages = 0;
};

// A generated database, removed when the program ends.
struct BenchDatabase {
  std::string path;
  ~BenchDatabase() { std::remove(path.c_str()); }
};

std::string makeDatabase(const std::string& name, const std::string& createSql,
                         std::string (*rowValues)(int index)) {
  std::string path = (std::filesystem::temp_directory_path() / name).string();
  std::remove(path.c_str());
  sqlite3* db = nullptr;
  sqlite3_open(path.c_str(), &db);
  std::string sql = "begin;" + createSql;
  for (int i = 0; i < kRows; ++i) sql += rowValues(i);
  sql += "commit;";
  sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
  sqlite3_close(db);
  return path;
}

std::string yungengxinRow(int i) {
  // 192.168.x.y with the first octet in the least significant byte.
  unsigned ip = 0xC0u | 0xA8u << 8 | unsigned((i >> 8) & 255) << 16 | unsigned(i & 255) << 24;
  return "insert into tPcBaseInfo values('PC" + std::to_string(i) + "', " + std::to_string(ip) +
         ", '00-1a-2b-3c-4d-5e', 16777215, 16885952, 16885952, -939524086);";
}

std::string fanggeziRow(int i) {
  std::string ip = i % 100 == 99 ? "255.255.255.255" : "10.0." + std::to_string(i >> 8) + "." + std::to_string(i & 255);
  return "insert into comp values('PC" + std::to_string(i) + "', '" + ip +
         "', '00:1a:2b:3c:4d:5e', '255.255.0.0', '10.0.0.1');";
}

const std::string& yungengxinDatabase() {
  static const BenchDatabase database{makeDatabase(
      "tl_bench_yungengxin.db", "create table tPcBaseInfo(MACHINE text, ip, mac text, mark, gate, dns, dns2);",
      yungengxinRow)};
  return database.path;
}

const std::string& fanggeziDatabase() {
  static const BenchDatabase database{makeDatabase(
      "tl_bench_fanggezi.db", "create table comp(NAME text, IP4 text, MAC text, NMASK4 text, GTWAY4 text);",
      fanggeziRow)};
  return database.path;
}

struct BenchApp {
  BenchApp()
      : ini(tl::platform::makeSystemIniFiles()),
        network(tl::platform::makeSystemLocalNetwork()),
        converter(tl::PlatformServices{ui, *ini, *network}) {}
  SilentUi ui;
  std::unique_ptr<tl::platform::IniFiles> ini;
  std::unique_ptr<tl::platform::LocalNetwork> network;
  tl::ListConverter converter;
};

void openListFile(benchmark::State& state, const std::string& path, int expectedRows) {
  BenchApp app;
  for (auto _ : state) {
    app.converter.openListFile(path);
    if (app.converter.grid().rowCount() != expectedRows) state.SkipWithError("unexpected row count");
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_OpenYungengxinDb(benchmark::State& state) { openListFile(state, yungengxinDatabase(), kRows); }
void BM_OpenFanggeziDb(benchmark::State& state) { openListFile(state, fanggeziDatabase(), kRows - kRows / 100); }

// The reader alone. Without a read scope the 方格子 reader asks the platform
// for the adapters and the DNS text on every row; with one, once per read.
template <bool kReadScope>
void readOnly(benchmark::State& state, tl::ListReader reader, const std::string& path) {
  BenchApp app;
  tl::ReaderContext context = app.converter.readerContext();
  for (auto _ : state) {
    if (kReadScope) {
      tl::LocalNetworkDefaults::ReadScope scope(context.network);
      reader(context, path);
    } else {
      reader(context, path);
    }
    benchmark::DoNotOptimize(app.converter.grid().rowCount());
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_ReadYungengxinDb(benchmark::State& state) { readOnly<true>(state, tl::readYungengxinDb, yungengxinDatabase()); }
void BM_ReadFanggeziDb(benchmark::State& state) { readOnly<true>(state, tl::readFanggeziDb, fanggeziDatabase()); }
void BM_ReadFanggeziDbNetworkPerRow(benchmark::State& state) {
  readOnly<false>(state, tl::readFanggeziDb, fanggeziDatabase());
}

BENCHMARK(BM_OpenYungengxinDb)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenFanggeziDb)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadYungengxinDb)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadFanggeziDb)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadFanggeziDbNetworkPerRow)->Unit(benchmark::kMillisecond);

}  // namespace
