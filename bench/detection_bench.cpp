// Detection of a 50 MB file that matches no list type (INI-like lines, so
// every probe has work to do: the SQLite open, the text signatures and the
// INI probes), against reading the file's bytes once.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/file_system.h"
#include "tests/support/fake_platform.h"

namespace {

constexpr size_t kFileBytes = 50u << 20;

struct NonMatchingFile {
  NonMatchingFile() : path((std::filesystem::temp_directory_path() / "tl_bench_nonmatching.ini").string()) {
    std::string text;
    text.reserve(kFileBytes + 64);
    char line[64];
    for (int i = 0; text.size() < kFileBytes; ++i) {
      std::snprintf(line, sizeof line, "[group%07d]\r\nnote=nothing to see %d\r\n", i, i);
      text += line;
    }
    tl::platform::writeFileBytes(path, text);
  }
  ~NonMatchingFile() { std::remove(path.c_str()); }
  std::string path;
};

const std::string& nonMatchingFile() {
  static const NonMatchingFile made;
  return made.path;
}

void BM_Detect50MBNonMatching(benchmark::State& state) {
  tl::test::TestApp app;
  const std::string& path = nonMatchingFile();  // made before the clock runs
  for (auto _ : state)
    if (!app.converter.openListFile(path).empty()) state.SkipWithError("the file was recognised");
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kFileBytes));
}
BENCHMARK(BM_Detect50MBNonMatching)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Read50MBBytesOnce(benchmark::State& state) {
  std::string bytes;
  for (auto _ : state) {
    tl::platform::readFileBytes(nonMatchingFile(), bytes);
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kFileBytes));
}
BENCHMARK(BM_Read50MBBytesOnce)->Unit(benchmark::kMillisecond);

}  // namespace
