// Reading a 10,000-row database of each SQLite family: the 汀澜 data.db, the
// 易乐游 workstation table and the 云更新 and 方格子 tables. Each reader runs
// alone (BM_Read*) and as a dropped file is read (BM_Open*: detection,
// dispatch, reader); the reference is SQLite alone running the reader's
// SELECT and fetching every column of every row as text (BM_Select*).
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "bench/support/read_list_loop.h"
#include "tests/support/fake_platform.h"

namespace {

constexpr int kRows = 10000;

struct Family {
  const char* file;
  const char* createSql;
  std::string (*row)(int index);
  const char* selectSql;  // the reader's own SELECT
};

std::string tinglanRow(int i) {
  char sql[320];
  std::snprintf(sql, sizeof sql,
                "insert into cs_client_info(client_name,client_mac,client_ip,client_mask,client_gate_way,"
                "client_dns1,client_dns2,client_group_name) values('PC%05d','001a2b%06x','%u','4294967040',"
                "'167772161','134744072','','default');",
                i, i, 167772160u + unsigned(i));
  return sql;
}

std::string yileyouRow(int i) {
  return "insert into workstation values(" + std::to_string(i) + ", 'PC" + std::to_string(i) + "', '10.0." +
         std::to_string(i >> 8) + "." + std::to_string(i & 255) +
         "', '00:1a:2b:3c:4d:5e', '255.255.0.0', '10.0.0.1', '114.114.114.114,8.8.8.8');";
}

std::string yungengxinRow(int i) {
  // 192.168.x.y with the first octet in the least significant byte.
  unsigned ip = 0xC0u | 0xA8u << 8 | unsigned((i >> 8) & 255) << 16 | unsigned(i & 255) << 24;
  return "insert into tPcBaseInfo values('PC" + std::to_string(i) + "', " + std::to_string(ip) +
         ", '00-1a-2b-3c-4d-5e', 16777215, 16885952, 16885952, -939524086);";
}

std::string fanggeziRow(int i) {
  return "insert into comp values('PC" + std::to_string(i) + "', '10.0." + std::to_string(i >> 8) + "." +
         std::to_string(i & 255) + "', '00:1a:2b:3c:4d:5e', '255.255.0.0', '10.0.0.1');";
}

const Family kTinglan{"tl_bench_tinglan.db",
                      "create table cs_client_info(id integer primary key, client_name text, client_mac text,"
                      " client_ip text, client_mask text, client_gate_way text, client_dns1 text, client_dns2 text,"
                      " client_group_name text);",
                      tinglanRow, "select * from cs_client_info order by client_name Asc"};
const Family kYileyou{"tl_bench_yileyou.db",
                      "create table workstation(id integer, computer text, ip text, mac text, subnetmask text,"
                      " gateway text, dns text);",
                      yileyouRow, "select * from workstation order by computer Asc"};
const Family kYungengxin{"tl_bench_yungengxin.db",
                         "create table tPcBaseInfo(MACHINE text, ip, mac text, mark, gate, dns, dns2);",
                         yungengxinRow, "select * from tPcBaseInfo order by machine Asc"};
const Family kFanggezi{"tl_bench_fanggezi.db",
                       "create table comp(NAME text, IP4 text, MAC text, NMASK4 text, GTWAY4 text);", fanggeziRow,
                       "select * from comp order by name Asc"};

// The family's database, made once per program run and removed at its end.
struct BenchDatabase {
  explicit BenchDatabase(const Family& family)
      : path((std::filesystem::temp_directory_path() / family.file).string()) {
    std::remove(path.c_str());
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    std::string sql = std::string("begin;") + family.createSql;
    for (int i = 0; i < kRows; ++i) sql += family.row(i);
    sql += "commit;";
    sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
    sqlite3_close(db);
  }
  ~BenchDatabase() { std::remove(path.c_str()); }
  std::string path;
};

template <const Family& kFamily>
const std::string& database() {
  static const BenchDatabase made(kFamily);
  return made.path;
}

template <const Family& kFamily>
void BM_Select(benchmark::State& state) {
  const std::string& path = database<kFamily>();
  for (auto _ : state) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, kFamily.selectSql, -1, &statement, nullptr);
    size_t bytes = 0;
    int rows = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
      ++rows;
      for (int c = 0; c < sqlite3_column_count(statement); ++c) {
        std::string cell;
        if (const unsigned char* text = sqlite3_column_text(statement, c))
          cell.assign(reinterpret_cast<const char*>(text), size_t(sqlite3_column_bytes(statement, c)));
        bytes += cell.size();
      }
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    if (rows != kRows) state.SkipWithError("unexpected row count");
    benchmark::DoNotOptimize(bytes);
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}

template <const Family& kFamily>
void readList(benchmark::State& state, const char* listType) {
  tl::bench::readListLoop(state, *tl::findListType(listType), database<kFamily>(), kRows);
  state.SetItemsProcessed(state.iterations() * kRows);
}

template <const Family& kFamily>
void BM_Open(benchmark::State& state) {
  const std::string& path = database<kFamily>();
  tl::test::TestApp app;
  for (auto _ : state) {
    app.converter.openListFile(path);
    if (app.grid().rowCount() != kRows) state.SkipWithError("unexpected row count");
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_ReadTinglanDb(benchmark::State& state) { readList<kTinglan>(state, "汀澜无盘"); }
void BM_ReadYileyouDb(benchmark::State& state) { readList<kYileyou>(state, "易乐游无盘"); }
void BM_ReadYungengxinDb(benchmark::State& state) { readList<kYungengxin>(state, "云更新"); }
void BM_ReadFanggeziDb(benchmark::State& state) { readList<kFanggezi>(state, "方格子"); }
BENCHMARK(BM_ReadTinglanDb)->Name("BM_Read/TinglanDb")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadYileyouDb)->Name("BM_Read/YileyouDb")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadYungengxinDb)->Name("BM_Read/YungengxinDb")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadFanggeziDb)->Name("BM_Read/FanggeziDb")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Select<kTinglan>)->Name("BM_Select/TinglanDb")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Select<kYileyou>)->Name("BM_Select/YileyouDb")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Select<kYungengxin>)->Name("BM_Select/YungengxinDb")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Select<kFanggezi>)->Name("BM_Select/FanggeziDb")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Open<kTinglan>)->Name("BM_Open/TinglanDb")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Open<kYungengxin>)->Name("BM_Open/YungengxinDb")->Unit(benchmark::kMillisecond);

}  // namespace
