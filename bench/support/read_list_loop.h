#pragma once
// The loop of every reader benchmark: one iteration is one read of the list
// file by its reader, on one application kept across iterations as the
// window keeps it. A wrong row count marks the run as an error.
#include <benchmark/benchmark.h>

#include <string>

#include "app/list_types.h"
#include "readers/reader_context.h"
#include "tests/support/fake_platform.h"

namespace tl::bench {

inline void readListLoop(benchmark::State& state, ListReader reader, const std::string& path, int expectedRows) {
  test::TestApp app;
  for (auto _ : state) {
    ReaderContext context = app.context();
    readListFile(reader, context, path);
    if (app.grid().rowCount() != expectedRows) state.SkipWithError("unexpected row count");
  }
}

// The same for a list type's reader (the SQLite readers run the type's SELECT).
inline void readListLoop(benchmark::State& state, const ListType& type, const std::string& path, int expectedRows) {
  test::TestApp app;
  for (auto _ : state) {
    ReaderContext context = app.context();
    readListFile(type, context, path);
    if (app.grid().rowCount() != expectedRows) state.SkipWithError("unexpected row count");
  }
}

}  // namespace tl::bench
