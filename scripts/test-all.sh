#!/usr/bin/env bash
# Builds and runs every test: the native build (unit tests and tlconv), then
# the Windows build, whose tests run under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/install-deps.sh

echo "== native build and tests"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native -j2

echo "== native build with AddressSanitizer and UndefinedBehaviorSanitizer (clang 14)"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --preset sanitize -j2

echo "== every fuzz target for 60 seconds (sanitizer build)"
FUZZ_PRESET=sanitize scripts/fuzz.sh 60

echo "== Windows build (MinGW-w64) and tests under Wine"
cmake --preset windows >/dev/null
cmake --build --preset windows
export WINEDEBUG=-all
WINEPREFIX=$(mktemp -d /tmp/tl-wine.XXXXXX)
export WINEPREFIX
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
# Code page 936 as the ANSI page, as on the operators' machines.
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
/usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1 || true
ctest --preset windows

for extra in "$root"/scripts/test-extra-*.sh; do
  [ -e "$extra" ] || continue
  echo "== $(basename "$extra")"
  bash "$extra"
done
