#!/usr/bin/env bash
# Faults while `tlconv import` writes the copy of the old list and the new
# list: the disk filling up (a file size limit that trips midway, SIGXFSZ
# ignored, so the writes fail as on a full disk) and kills at random moments.
# Each time data.db must hold exactly the earlier or the new list, and every
# file in 导入前备份 that carries a copy's name must be a whole copy of the
# earlier list.
# Usage: scripts/test-extra-import-faults.sh [path/to/tlconv] [kills]
set -euo pipefail
cd "$(dirname "$0")/.."
tlconv=${1:-build/tlconv}
runs=${2:-30}
[ -x "$tlconv" ] || { echo "no $tlconv: build it first" >&2; exit 1; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

table="create table cs_client_info(id integer primary key, client_name text, client_mac text, client_ip text,
  client_mask text, client_gate_way text, client_dns1 text, client_dns2 text, client_group_name text,
  client_note text default 'kept by the server');"
# name, MAC, IP in 10.0.0.0/16 (or 10.1.0.0/16 for the earlier list), gateway .1
list() {  # file, rows, name prefix, second octet
  sqlite3 "$1" "$table
    with recursive n(i) as (select 1 union all select i + 1 from n where i < $2)
    insert into cs_client_info(client_name,client_mac,client_ip,client_mask,client_gate_way,client_dns1,client_dns2,client_group_name)
    select printf('$3%05d', i), printf('00$4b%08x', i), 167772160 + $4 * 65536 + 256 + i, 4294901760,
      167772161 + $4 * 65536, 134744072, '', 'g' from n;"
}
list "$dir/source.db" 10000 PC 0
list "$dir/earlier.db" 10000 OLD 1
dump() { sqlite3 "$1" "select * from cs_client_info order by id"; }
dump "$dir/earlier.db" >"$dir/earlier.txt"
copies() { find "$dir/导入前备份" -name 'cs_client_info-*.db' 2>/dev/null | sort; }

# The new list as a complete import leaves it, with its copy, and how long that takes.
cp "$dir/earlier.db" "$dir/data.db"
start=$(date +%s%N)
"$tlconv" import --db "$dir/data.db" --no-restart "$dir/source.db" >/dev/null 2>"$dir/err"
full_ms=$(( ($(date +%s%N) - start) / 1000000 ))
dump "$dir/data.db" >"$dir/new.txt"
[ "$(wc -l <"$dir/new.txt")" = 10000 ] || { echo "the complete import did not write 10000 rows" >&2; exit 1; }
[ "$(copies | wc -l)" = 1 ] || { echo "the complete import kept no copy" >&2; exit 1; }
cmp -s <(dump "$(copies)") "$dir/earlier.txt" || { echo "the copy differs from the earlier list" >&2; exit 1; }
grep -q '^原列表已保存到 ' "$dir/err" || { echo "the import did not say where the copy is" >&2; exit 1; }

# Runs tlconv import with the file size limit (in KiB) and SIGXFSZ ignored.
limited_import() {  # limit, extra options...
  local limit=$1; shift
  (trap '' XFSZ; ulimit -f "$limit"; exec "$tlconv" import --db "$dir/data.db" --no-restart "$@" "$dir/source.db") \
    >/dev/null 2>"$dir/err"
}
expect_earlier() {  # what
  [ "$(sqlite3 "$dir/data.db" "pragma integrity_check")" = ok ] || { echo "$1: data.db is damaged" >&2; exit 1; }
  cmp -s <(dump "$dir/data.db") "$dir/earlier.txt" || { echo "$1: data.db lost the earlier list" >&2; exit 1; }
}

echo "-- the disk fills up while the copy is written"
rm -rf "$dir/data.db"* "$dir/导入前备份"
cp "$dir/earlier.db" "$dir/data.db"
sum=$(sha256sum <"$dir/data.db")
set +e; limited_import 200; rc=$?; set -e
[ $rc = 1 ] || { echo "exit $rc, not 1, when the copy cannot be written" >&2; cat "$dir/err" >&2; exit 1; }
grep -q '^无法保存原客户机列表 未导入：' "$dir/err" || { echo "no message for the failed copy:" >&2; cat "$dir/err" >&2; exit 1; }
[ "$(sha256sum <"$dir/data.db")" = "$sum" ] || { echo "data.db changed although the copy failed" >&2; exit 1; }
[ -z "$(copies)" ] || { echo "a failed copy was left under a copy's name" >&2; exit 1; }
[ -z "$(find "$dir/导入前备份" -name '*.tmp' 2>/dev/null)" ] || { echo "the failed copy's temporary file stayed" >&2; exit 1; }

echo "-- the disk fills up while the new list is written"
for limit in 400 700; do
  rm -rf "$dir/data.db"* "$dir/导入前备份"
  list "$dir/data.db" 2000 OLD 1
  dump "$dir/data.db" >"$dir/earlier-small.txt"
  sum=$(sha256sum <"$dir/data.db")
  set +e; limited_import "$limit" --no-backup; rc=$?; set -e
  [ $rc = 1 ] || { echo "limit $limit KiB: exit $rc, not 1" >&2; cat "$dir/err" >&2; exit 1; }
  grep -q '导入发生错误 请确认导入数据库文件' "$dir/err" || { echo "limit $limit KiB: no message:" >&2; cat "$dir/err" >&2; exit 1; }
  [ "$(sqlite3 "$dir/data.db" "pragma integrity_check")" = ok ] || { echo "limit $limit KiB: data.db damaged" >&2; exit 1; }
  cmp -s <(dump "$dir/data.db") "$dir/earlier-small.txt" || { echo "limit $limit KiB: the table changed" >&2; exit 1; }
done
# With the copy: a small old list is copied whole, the import itself fails.
set +e; limited_import 700; rc=$?; set -e
[ $rc = 1 ] && cmp -s <(dump "$dir/data.db") "$dir/earlier-small.txt" || { echo "import after a good copy: table changed" >&2; exit 1; }
for copy in $(copies); do
  cmp -s <(dump "$copy") "$dir/earlier-small.txt" || { echo "$copy is not the whole earlier list" >&2; exit 1; }
done

echo "-- kills while the copy and the import are written"
earlier=0; new=0; whole=0; mid_copy=0
for ((run = 0; run < runs; run++)); do
  rm -rf "$dir/data.db"* "$dir/导入前备份"
  cp "$dir/earlier.db" "$dir/data.db"
  # Delays spread from 0 to 1.3 times a complete run.
  delay_ms=$(( full_ms * 13 * run / (10 * runs) + RANDOM % 5 ))
  "$tlconv" import --db "$dir/data.db" --no-restart "$dir/source.db" >/dev/null 2>&1 &
  pid=$!
  sleep "$(printf '%d.%03d' $((delay_ms / 1000)) $((delay_ms % 1000)))"
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  check=$(sqlite3 "$dir/data.db" "pragma integrity_check")
  [ "$check" = ok ] || { echo "run $run (${delay_ms} ms): integrity_check says: $check" >&2; exit 1; }
  dump "$dir/data.db" >"$dir/now.txt"
  if cmp -s "$dir/now.txt" "$dir/earlier.txt"; then earlier=$((earlier + 1))
  elif cmp -s "$dir/now.txt" "$dir/new.txt"; then new=$((new + 1))
  else echo "run $run (${delay_ms} ms): the table holds neither the earlier nor the new list" >&2; exit 1
  fi
  # Killed while the copy was written: only its temporary file is there.
  [ -n "$(find "$dir/导入前备份" -name '*.tmp' 2>/dev/null)" ] && mid_copy=$((mid_copy + 1))
  # A file under a copy's name is always a whole copy.
  for copy in $(copies); do
    [ "$(sqlite3 "$copy" "pragma integrity_check")" = ok ] && cmp -s <(dump "$copy") "$dir/earlier.txt" ||
      { echo "run $run (${delay_ms} ms): $copy is not a whole copy" >&2; exit 1; }
    whole=$((whole + 1))
  done
  # The new list went in only with its copy beside it.
  if cmp -s "$dir/now.txt" "$dir/new.txt" && [ -z "$(copies)" ]; then
    echo "run $run (${delay_ms} ms): imported without a copy" >&2; exit 1
  fi
done
# A later import clears what a killed copy left behind.
"$tlconv" import --db "$dir/data.db" --no-restart "$dir/source.db" >/dev/null 2>&1
[ -z "$(find "$dir/导入前备份" -name '*.tmp*')" ] || { echo "a killed copy's temporary file stayed" >&2; exit 1; }
echo "import faults: full disk during the copy and the import ok; $runs kills (complete import ${full_ms} ms):" \
  "$earlier left the earlier list, $new the new one, $whole whole copies, $mid_copy killed mid-copy"
