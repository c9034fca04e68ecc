#!/usr/bin/env bash
# Builds the benchmarks (preset bench), runs them all and prints one table:
# each operation, its figure, the reference measured in the same run, the ratio.
# The benchmarks run in five passes, one after the other, and each in-process
# figure is the median of its five runs. A shared machine's other work comes
# in spells that can last all of a benchmark's repetitions when they run
# back to back; passes spread each figure, and its reference, over the whole
# run, so a spell moves one of the five at most.
# The Google Benchmark output of each pass stays in
# build-bench/bench-results-PASS.json.
# Usage: bench/run-all.sh [extra Google Benchmark options]
set -euo pipefail
cd "$(dirname "$0")/.."
command -v sqlite3 >/dev/null || { echo "the sqlite3 shell is missing" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "/usr/bin/time is missing (package time)" >&2; exit 1; }

cmake --preset bench >/dev/null
cmake --build --preset bench -j2 --target tl_bench tlconv >/dev/null

echo "machine: $(nproc) cores, $(uptime | sed 's/.*load/load/')" >&2
passes=5
results=()
for pass in $(seq "$passes"); do
  echo "pass $pass of $passes" >&2
  results+=("build-bench/bench-results-$pass.json")
  build-bench/bench/tl_bench --benchmark_out="${results[-1]}" --benchmark_out_format=json "$@" >&2
done
python3 bench/table.py build-bench/tlconv "${results[@]}"
echo "after: $(uptime | sed 's/.*load/load/')" >&2
