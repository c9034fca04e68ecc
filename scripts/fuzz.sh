#!/usr/bin/env bash
# Builds the fuzz targets and runs each for SECONDS (default 60), with its
# corpus kept in fuzz/corpus-<target>/ (not committed) and its seeds and
# regression inputs in fuzz/seeds/<target>/.
# usage: scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2 >/dev/null
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in fuzz/fuzz_*.cpp; do targets+=("$(basename "$f" .cpp)"); done
fi
for t in "${targets[@]}"; do
  corpus=fuzz/corpus-$t
  mkdir -p "$corpus"
  seeds=()
  [ -d "fuzz/seeds/$t" ] && seeds=("fuzz/seeds/$t")
  echo "== $t for ${seconds}s"
  log=$(mktemp)
  status=0
  build-fuzz/fuzz/$t -max_total_time="$seconds" -rss_limit_mb=4096 -print_final_stats=1 \
    -artifact_prefix="build-fuzz/$t-" "$corpus" "${seeds[@]}" >"$log" 2>&1 || status=$?
  grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|==[0-9]+==ERROR|SUMMARY)' "$log" || true
  if [ $status -ne 0 ]; then
    tail -40 "$log"
    echo "$t failed (exit $status); the crashing input is in build-fuzz/" >&2
    failed=1
  fi
  rm -f "$log"
done
exit ${failed:-0}
