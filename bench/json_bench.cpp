// Reading a 10,000-client 信佑TXT列表 file, beside the JSON parser alone on
// the same text.
#include <benchmark/benchmark.h>

#include <nlohmann/json.hpp>

#include <cstdio>
#include <filesystem>
#include <string>

#include "bench/support/read_list_loop.h"
#include "data/json/json_access.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"
#include "readers/xinyou_txt_list_reader.h"

namespace {

constexpr int kClients = 10000;

std::string xinyouTxtList(int clients) {
  std::string text = R"({"produce":"hintsoft","version":"2.1","macList":[)";
  char entry[320];
  for (int i = 0; i < clients; ++i) {
    std::snprintf(entry, sizeof entry,
                  R"(%s{"pc":"网吧%05d","ip":"10.%d.%d.%d","mac":"00:1a:2b:%02x:%02x:%02x","netMk":"255.255.0.0",)"
                  R"("netGW":"10.0.0.1","dns1":"114.114.114.114","dns2":"8.8.8.8"})",
                  i ? "," : "", i + 1, i / 65536, i / 256 % 256, i % 256, i / 65536, i / 256 % 256, i % 256);
    text += entry;
  }
  return text + "]}";
}

void BM_ReadXinyouTxtList10k(benchmark::State& state) {
  namespace fs = std::filesystem;
  const std::string path = (fs::temp_directory_path() / "tl-bench-xinyou-txt-list.json").string();
  const std::string text = xinyouTxtList(kClients);
  tl::platform::writeFileBytes(path, text);
  tl::bench::readListLoop(state, tl::readXinyouTxtList, path, kClients);
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
  state.counters["bytes"] = double(text.size());
  fs::remove(path);
}
BENCHMARK(BM_ReadXinyouTxtList10k)->Unit(benchmark::kMillisecond);

void BM_JsonAccessParse10k(benchmark::State& state) {
  const std::string text = xinyouTxtList(kClients);
  for (auto _ : state) {
    tl::JsonAccess json;
    benchmark::DoNotOptimize(json.parse(text).member("macList").length());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_JsonAccessParse10k)->Unit(benchmark::kMillisecond);

// The parser alone, on the UTF-8 form of the same text.
void BM_NlohmannParse10k(benchmark::State& state) {
  const std::string text = tl::platform::gbkToUtf8(xinyouTxtList(kClients));
  for (auto _ : state) {
    nlohmann::json document = nlohmann::json::parse(text);
    benchmark::DoNotOptimize(document["macList"].size());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_NlohmannParse10k)->Unit(benchmark::kMillisecond);

}  // namespace
