#!/usr/bin/env bash
# Builds the fuzz targets and runs each for SECONDS (default 60), with its
# corpus kept in fuzz/corpus-<target>/ (not committed) and its seeds and
# regression inputs in fuzz/seeds/<target>/ (and its dictionary in
# fuzz/seeds/<target>.dict when there is one).
# The targets come from the optimised `fuzz` preset (build-fuzz/), or with
# FUZZ_PRESET=sanitize from the sanitizer test build (build-san/), which
# carries them too and saves CI a build.
# usage: [FUZZ_PRESET=fuzz|sanitize] scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
preset=${FUZZ_PRESET:-fuzz}
case $preset in
  fuzz) build=build-fuzz ;;
  sanitize) build=build-san ;;
  *) echo "FUZZ_PRESET must be fuzz or sanitize" >&2; exit 2 ;;
esac
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j2 >/dev/null
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in fuzz/fuzz_*.cpp; do targets+=("$(basename "$f" .cpp)"); done
fi
for t in "${targets[@]}"; do
  corpus=fuzz/corpus-$t
  mkdir -p "$corpus"
  seeds=()
  [ -d "fuzz/seeds/$t" ] && seeds=("fuzz/seeds/$t")
  dict=()
  [ -f "fuzz/seeds/$t.dict" ] && dict=("-dict=fuzz/seeds/$t.dict")
  echo "== $t for ${seconds}s"
  log=$(mktemp)
  status=0
  $build/fuzz/$t -max_total_time="$seconds" -rss_limit_mb=4096 -print_final_stats=1 \
    -artifact_prefix="$build/$t-" "${dict[@]}" "$corpus" "${seeds[@]}" >"$log" 2>&1 || status=$?
  grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|==[0-9]+==ERROR|SUMMARY)' "$log" || true
  if [ $status -ne 0 ]; then
    tail -40 "$log"
    echo "$t failed (exit $status); the crashing input is in $build/" >&2
    failed=1
  fi
  rm -f "$log"
done
exit ${failed:-0}
