#!/usr/bin/env bash
# Builds the benchmarks (preset bench), runs them all and prints one table:
# each operation, its figure, the reference measured in the same run, the ratio.
# Each in-process figure is the median of five repetitions, so that one slow
# moment of a shared machine moves neither a figure nor its reference.
# The full Google Benchmark output stays in build-bench/bench-results.json.
# Usage: bench/run-all.sh [extra Google Benchmark options]
set -euo pipefail
cd "$(dirname "$0")/.."
command -v sqlite3 >/dev/null || { echo "the sqlite3 shell is missing" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "/usr/bin/time is missing (package time)" >&2; exit 1; }

cmake --preset bench >/dev/null
cmake --build --preset bench -j2 --target tl_bench tlconv >/dev/null

echo "machine: $(nproc) cores, $(uptime | sed 's/.*load/load/')" >&2
build-bench/bench/tl_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_out=build-bench/bench-results.json --benchmark_out_format=json "$@" >&2
python3 bench/table.py build-bench/bench-results.json build-bench/tlconv
echo "after: $(uptime | sed 's/.*load/load/')" >&2
