#!/usr/bin/env bash
# How long the window program under Wine takes to show a large list: from the
# program's start until the count field reads "客户机总数: N" and the grid
# shows N rows, against `tlconv.exe show` of the same list into a file in the
# same run. The list is a 易乐游 workstation.db of N clients (default
# 100000); the two run in turn, R times each (default 5), the window each
# time in a fresh program; the table row gives the median wall times and the
# ratio.
#   bench/window_load_wine.sh [N] [R]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
. "$root/bench/wine_bench_lib.sh"
build=$root/build-win
. "$root/scripts/lib/wine-window.sh"
count=${1:-100000}
runs=${2:-5}
build_windows_if_missing tinglan_convert.exe window_driver.exe tlconv.exe

open_wine_work tl-window-load
log=$work/driver.log
start_wine_display
mkdir -p "$work/app"
program=$work/app/tinglan_convert.exe
cp "$build/tinglan_convert.exe" "$program"

make_workstation_list "$work/workstation.db" "$count"

list=$(winpath "$work/workstation.db")
/usr/lib/wine/wine64 "$build/tlconv.exe" show "$list" >"$work/warm.txt" 2>/dev/null
window=() shown=()
for run in $(seq "$runs"); do
  start=$(date +%s%N)
  start_program "$list"
  drive "timeout=600000" "wait-status=0|客户机总数: $count" "wait-rows=$count"
  end=$(date +%s%N)
  drive close
  wait_program_end
  window+=($(((end - start) / 1000000)))
  shown+=("$(show_ms "$build/tlconv.exe" "$list" "$work/shown.txt")")
  echo "run $run: $((window[-1])) ms from start to $count rows shown; tlconv.exe show ${shown[-1]} ms" >&2
done
table_row "the window shows $count clients, under Wine (process)" "$(median "${window[@]}")" \
  "tlconv.exe show of the same list into a file, under Wine" "$(median "${shown[@]}")"
