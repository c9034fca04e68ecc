#!/usr/bin/env bash
# tlconv.exe under Wine writing its table to a character device (the null
# device, as a console is one) against the same into a regular file. The list
# is a 易乐游 workstation.db of N clients (default 10000); each way runs R
# times (default 3) and the table row gives the mean wall times and the ratio.
#   bench/tlconv_console_wine.sh [N] [R]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
. "$root/bench/workstation_list.sh"
build=$root/build-win
count=${1:-10000}
runs=${2:-3}
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

# Mean wall time in ms of `runs` runs of tlconv.exe show with stdout to $1.
mean_ms() {
  local total=0 start end
  for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    /usr/lib/wine/wine64 "$build/tlconv.exe" show "$list" >"$1" 2>/dev/null
    end=$(date +%s%N)
    total=$((total + (end - start) / 1000000))
  done
  echo $((total / runs))
}

/usr/lib/wine/wine64 "$build/tlconv.exe" show "$list" >"$work/warm.txt" 2>/dev/null  # Wine's first start
device=$(mean_ms /dev/null)
file=$(mean_ms "$work/out.txt")
python3 -c "import sys; d, f = int(sys.argv[1]), int(sys.argv[2]); print('| tlconv.exe show, %s clients, to the null device, under Wine (process) | %d ms | the same into a regular file | %d ms | %.1f× |' % (sys.argv[3], d, f, d / max(f, 1)))" "$device" "$file" "$count"
