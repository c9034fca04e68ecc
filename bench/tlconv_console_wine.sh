#!/usr/bin/env bash
# tlconv.exe under Wine writing its table to a character device (the null
# device, as a console is one) against the same into a regular file. The list
# is a 易乐游 workstation.db of N clients (default 10000); the two ways run in
# turn, R times each (default 5), and the table row gives the median wall
# times and the ratio.
#   bench/tlconv_console_wine.sh [N] [R]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
. "$root/bench/wine_bench_lib.sh"
build=$root/build-win
count=${1:-10000}
runs=${2:-5}
if [ ! -f "$build/tlconv.exe" ]; then
  cmake --preset windows >/dev/null
  cmake --build --preset windows -j2 --target tlconv
fi

work=$(mktemp -d /tmp/tl-console.XXXXXX)
export WINEPREFIX=$work/prefix WINEDEBUG=-all
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
timeout 120 /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1 || true

make_workstation_list "$work/workstation.db" "$count"
list='Z:'$(printf '%s' "$work/workstation.db" | tr / '\\')

/usr/lib/wine/wine64 "$build/tlconv.exe" show "$list" >"$work/warm.txt" 2>/dev/null  # Wine's first start
device=() file=()
for _ in $(seq "$runs"); do
  device+=("$(show_ms "$build/tlconv.exe" "$list" /dev/null)")
  file+=("$(show_ms "$build/tlconv.exe" "$list" "$work/out.txt")")
done
table_row "tlconv.exe show, $count clients, to the null device, under Wine (process)" "$(median "${device[@]}")" \
  "the same into a regular file" "$(median "${file[@]}")"
