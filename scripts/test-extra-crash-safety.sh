#!/usr/bin/env bash
# Kills `tlconv import` of 10,000 clients at random moments (before, during
# and after its transaction) and checks each time that the 汀澜 database is
# intact and holds exactly the earlier list or exactly the new one.
# Usage: scripts/test-extra-crash-safety.sh [path/to/tlconv] [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
tlconv=${1:-build/tlconv}
runs=${2:-30}
[ -x "$tlconv" ] || { echo "no $tlconv: build it first" >&2; exit 1; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

table="create table cs_client_info(id integer primary key, client_name text, client_mac text, client_ip text,
  client_mask text, client_gate_way text, client_dns1 text, client_dns2 text, client_group_name text);"
sqlite3 "$dir/source.db" "$table
  with recursive n(i) as (select 1 union all select i + 1 from n where i < 10000)
  insert into cs_client_info(client_name,client_mac,client_ip,client_mask,client_gate_way,client_dns1,client_dns2,client_group_name)
  select printf('PC%05d', i), printf('001a2b%06x', i), 167772160 + i, 4294967040, 167772161, 134744072, '', 'g' from n;"
sqlite3 "$dir/earlier.db" "$table
  with recursive n(i) as (select 1 union all select i + 1 from n where i < 50)
  insert into cs_client_info(client_name,client_mac,client_ip) select printf('OLD%03d', i), printf('aabbcc%06x', i), 3232235520 + i from n;"

dump() { sqlite3 "$1" "select client_name,client_mac,client_ip,client_mask,client_gate_way,client_dns1,client_dns2,client_group_name from cs_client_info order by client_name"; }
dump "$dir/earlier.db" > "$dir/earlier.txt"

# The new list as a complete import leaves it, and how long that takes.
cp "$dir/earlier.db" "$dir/full.db"
start=$(date +%s%N)
"$tlconv" import --db "$dir/full.db" --no-restart --yes "$dir/source.db" >/dev/null 2>&1
full_ms=$(( ($(date +%s%N) - start) / 1000000 ))
dump "$dir/full.db" > "$dir/new.txt"
[ "$(wc -l < "$dir/new.txt")" = 10000 ] || { echo "the complete import did not write 10000 rows" >&2; exit 1; }

earlier=0; new=0
for ((run = 0; run < runs; run++)); do
  rm -f "$dir/db" "$dir/db-journal" "$dir/db-wal" "$dir/db-shm"
  cp "$dir/earlier.db" "$dir/db"
  # Delays spread from 0 to 1.3 times a complete run.
  delay_ms=$(( full_ms * 13 * run / (10 * runs) + RANDOM % 5 ))
  "$tlconv" import --db "$dir/db" --no-restart --yes "$dir/source.db" >/dev/null 2>&1 &
  pid=$!
  sleep "$(printf '%d.%03d' $((delay_ms / 1000)) $((delay_ms % 1000)))"
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  check=$(sqlite3 "$dir/db" "pragma integrity_check")
  [ "$check" = ok ] || { echo "run $run (${delay_ms} ms): integrity_check says: $check" >&2; exit 1; }
  dump "$dir/db" > "$dir/now.txt"
  if cmp -s "$dir/now.txt" "$dir/earlier.txt"; then earlier=$((earlier + 1))
  elif cmp -s "$dir/now.txt" "$dir/new.txt"; then new=$((new + 1))
  else echo "run $run (${delay_ms} ms): the table holds neither the earlier nor the new list" >&2; exit 1
  fi
done
echo "crash safety: $runs kills (complete import ${full_ms} ms): $earlier left the earlier list, $new the new one"
