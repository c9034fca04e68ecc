#!/usr/bin/env bash
# Whole-run comparison: the sqlite3 shell selecting a 10,000-row 云更新 or
# 方格子 table into /dev/null against `tlconv show` reading the same file
# (process start, detection, the reader's two passes over the SELECT, the
# table printed to /dev/null).
# Usage: bench/sqlite_read_vs_shell.sh [path/to/tlconv] [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
tlconv=${1:-build-bench/tlconv}
runs=${2:-20}
rows=10000
[ -x "$tlconv" ] || { echo "no tlconv at $tlconv (cmake --preset bench && cmake --build --preset bench)" >&2; exit 1; }
command -v sqlite3 >/dev/null || { echo "the sqlite3 shell is missing" >&2; exit 1; }

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

{
  echo "begin; create table tPcBaseInfo(MACHINE text, ip, mac text, mark, gate, dns, dns2);"
  for ((i = 0; i < rows; i++)); do
    echo "insert into tPcBaseInfo values('PC$i', $((0xA8C0 | (i >> 8 & 255) << 16 | (i & 255) << 24)), '00-1a-2b-3c-4d-5e', 16777215, 16885952, 16885952, -939524086);"
  done
  echo "commit;"
} | sqlite3 "$dir/yungengxin.db"
{
  echo "begin; create table comp(NAME text, IP4 text, MAC text, NMASK4 text, GTWAY4 text);"
  for ((i = 0; i < rows; i++)); do
    echo "insert into comp values('PC$i', '10.0.$((i >> 8)).$((i & 255))', '00:1a:2b:3c:4d:5e', '255.255.0.0', '10.0.0.1');"
  done
  echo "commit;"
} | sqlite3 "$dir/fanggezi.db"

# Milliseconds per run of a command, averaged over $runs runs.
per_run_ms() {
  local start end
  start=$(date +%s%N)
  for ((r = 0; r < runs; r++)); do "$@" >/dev/null; done
  end=$(date +%s%N)
  echo $(((end - start) / runs / 1000000))
}

check_rows() {
  local n
  n=$("$tlconv" show --json "$1" | grep -o '\["[0-9]*",' | wc -l)
  [ "$n" -eq "$2" ] || { echo "tlconv listed $n rows of $1, expected $2" >&2; exit 1; }
}
check_rows "$dir/yungengxin.db" $rows
check_rows "$dir/fanggezi.db" $rows

printf '%-10s %16s %16s\n' list "sqlite3 (ms)" "tlconv show (ms)"
for list in yungengxin:"select * from tPcBaseInfo order by machine Asc" fanggezi:"select * from comp order by name Asc"; do
  name=${list%%:*}
  sql=${list#*:}
  shell_ms=$(per_run_ms sqlite3 "$dir/$name.db" "$sql")
  tlconv_ms=$(per_run_ms "$tlconv" show "$dir/$name.db")
  printf '%-10s %16s %16s\n' "$name" "$shell_ms" "$tlconv_ms"
done
