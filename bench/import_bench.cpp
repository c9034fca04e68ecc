// The import of 10,000 grid rows into a 汀澜 database: one DELETE and the
// INSERTs in one transaction; with the check of the grid and the copy of the
// old list beside the same import without the copy. The database file is
// rebuilt outside the timing.
#include <benchmark/benchmark.h>

#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "core/client_grid.h"
#include "import/client_import.h"

namespace {

class SilentUi : public tl::OperatorUi {
 public:
  tl::MessageAnswer showMessage(const std::string&, const std::string&, tl::MessageIcon,
                                tl::MessageButtons) override {
    return tl::MessageAnswer::Ok;
  }
  std::string askText(const std::string&, const std::string&, const std::string&) override { return {}; }
  std::optional<std::string> chooseFileToOpen(const tl::OpenFileRequest&) override { return std::nullopt; }
  std::string desktopFolder() override { return {}; }
  void processPendingMessages() override {}
};

class NoProcesses : public tl::platform::Processes {
 public:
  uint32_t findProcess(const std::string&) override { return 0; }
  std::string executablePath(uint32_t) override { return {}; }
};

class NoServices : public tl::platform::ServiceControl {
 public:
  tl::platform::ServiceRestart restart(const std::string&) override { return tl::platform::ServiceRestart::Skipped; }
};

// A target holding `oldRows` clients (at least one).
void makeTarget(const std::string& path, int oldRows = 1) {
  std::remove(path.c_str());
  sqlite3* db = nullptr;
  sqlite3_open(path.c_str(), &db);
  const std::string sql =
      "create table cs_client_info(id integer primary key, client_name text, client_mac text, client_ip text,"
      " client_mask text, client_gate_way text, client_dns1 text, client_dns2 text, client_group_name text);"
      "with recursive n(i) as (select 1 union all select i + 1 from n where i < " + std::to_string(oldRows) + ")"
      " insert into cs_client_info(client_name,client_mac,client_ip,client_mask,client_gate_way,client_dns1,"
      "client_dns2,client_group_name) select printf('old%05d', i), printf('001b2b%06X', i), 167772160 + i,"
      " 4294967040, 167772161, 134744072, '', 'g' from n;";
  sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
  sqlite3_close(db);
}

void fillGrid(tl::ClientGrid& grid, int rows) {
  for (int i = 0; i < rows; ++i) {
    int r = grid.appendRow(std::to_string(i + 1));
    grid.setCell(r, tl::kColName, "网吧" + std::to_string(i));
    grid.setCell(r, tl::kColIp, "10." + std::to_string(i / 65536 % 256) + "." + std::to_string(i / 256 % 256) + "." +
                                    std::to_string(i % 256));
    char mac[32];
    std::snprintf(mac, sizeof mac, "00-1A-2B-%02X-%02X-%02X", (i >> 16) & 255, (i >> 8) & 255, i & 255);
    grid.setCell(r, tl::kColMac, mac);
    grid.setCell(r, tl::kColMask, "255.255.255.0");
    grid.setCell(r, tl::kColGateway, "10.0.0.1");
    grid.setCell(r, tl::kColDns1, "8.8.8.8");
    grid.setCell(r, tl::kColDns2, "");
  }
}

void BM_Import(benchmark::State& state) {
  const std::string path = (std::filesystem::temp_directory_path() / "tl-import-bench.db").string();
  tl::ClientGrid grid;
  fillGrid(grid, int(state.range(0)));
  SilentUi ui;
  NoProcesses processes;
  NoServices services;
  tl::SqliteConnection connection;
  tl::ImportContext context{grid, ui, connection, processes, services};
  tl::ImportOptions options;
  options.databasePath = path;
  options.restartService = false;
  options.keepBackup = false;
  for (auto _ : state) {
    state.PauseTiming();
    makeTarget(path);
    state.ResumeTiming();
    if (tl::importClientList(context, options).outcome != tl::ImportOutcome::Imported) state.SkipWithError("import failed");
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  std::remove(path.c_str());
}
BENCHMARK(BM_Import)->Arg(10'000)->Unit(benchmark::kMillisecond);

// The import as the window runs it (the check, then the copy of the 10,000
// old rows in 导入前备份), and the same import over the same old list
// without the copy (--no-backup).
void importOverOldList(benchmark::State& state, bool keepBackup) {
  const std::string path = (std::filesystem::temp_directory_path() / "tl-import-bench-copy.db").string();
  tl::ClientGrid grid;
  fillGrid(grid, int(state.range(0)));
  SilentUi ui;
  NoProcesses processes;
  NoServices services;
  tl::SqliteConnection connection;
  tl::ImportContext context{grid, ui, connection, processes, services};
  tl::ImportOptions options;
  options.databasePath = path;
  options.restartService = false;
  options.keepBackup = keepBackup;
  for (auto _ : state) {
    state.PauseTiming();
    makeTarget(path, int(state.range(0)));
    state.ResumeTiming();
    if (tl::importClientList(context, options).outcome != tl::ImportOutcome::Imported) state.SkipWithError("import failed");
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  std::remove(path.c_str());
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::temp_directory_path() / std::filesystem::path(u8"导入前备份"), ignored);
}
void BM_ImportCheckedAndCopied(benchmark::State& state) { importOverOldList(state, true); }
void BM_ImportUncopied(benchmark::State& state) { importOverOldList(state, false); }
BENCHMARK(BM_ImportCheckedAndCopied)->Arg(10'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportUncopied)->Arg(10'000)->Unit(benchmark::kMillisecond);

// The check alone.
void BM_ImportCheck(benchmark::State& state) {
  tl::ClientGrid grid;
  fillGrid(grid, int(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(tl::checkClientGrid(grid));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ImportCheck)->Arg(10'000)->Unit(benchmark::kMillisecond);

// The reference: SQLite alone replacing the rows with the grid's texts, one
// DELETE and one prepared INSERT per row in one transaction.
void BM_SqliteInsert(benchmark::State& state) {
  const std::string path = (std::filesystem::temp_directory_path() / "tl-import-bench-sqlite.db").string();
  tl::ClientGrid grid;
  fillGrid(grid, int(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    makeTarget(path);
    state.ResumeTiming();
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, "begin; delete from cs_client_info;", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db,
                       "insert into cs_client_info(client_name,client_mac,client_ip,client_mask,client_gate_way,"
                       "client_dns1,client_dns2,client_group_name) values(?,?,?,?,?,?,?,'default')",
                       -1, &insert, nullptr);
    const int columns[] = {tl::kColName, tl::kColMac, tl::kColIp, tl::kColMask,
                           tl::kColGateway, tl::kColDns1, tl::kColDns2};
    for (int r = 0; r < grid.rowCount(); ++r) {
      for (int i = 0; i < 7; ++i) sqlite3_bind_text(insert, i + 1, grid.cell(r, columns[i]).c_str(), -1, SQLITE_STATIC);
      if (sqlite3_step(insert) != SQLITE_DONE) state.SkipWithError("insert failed");
      sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    if (sqlite3_exec(db, "commit;", nullptr, nullptr, nullptr) != SQLITE_OK) state.SkipWithError("commit failed");
    sqlite3_close(db);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  std::remove(path.c_str());
}
BENCHMARK(BM_SqliteInsert)->Arg(10'000)->Unit(benchmark::kMillisecond);

}  // namespace
