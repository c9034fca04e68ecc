#!/usr/bin/env bash
# Kills `tlconv import` of 10,000 clients at moments spread over the measured
# length of an import (before, during and after its transaction) and checks
# each time that the 汀澜 database is intact and holds exactly the earlier
# list or exactly the new one. It fails unless both outcomes occurred: kills
# that all land before the commit, or all after it, test nothing. When one
# outcome is missing it kills again, later or earlier, before it gives up.
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

# The new list as a complete import leaves it, and how long an import takes:
# the median of three complete runs.
times=()
for attempt in 1 2 3; do
  cp "$dir/earlier.db" "$dir/full.db"
  start=$(date +%s%N)
  "$tlconv" import --db "$dir/full.db" --no-restart --yes "$dir/source.db" >/dev/null 2>&1
  times+=($(( ($(date +%s%N) - start) / 1000000 )))
done
full_ms=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 2p)
dump "$dir/full.db" > "$dir/new.txt"
[ "$(wc -l < "$dir/new.txt")" = 10000 ] || { echo "the complete import did not write 10000 rows" >&2; exit 1; }

earlier=0; new=0; finished=0
# One import killed after delay_ms; counts which list it left.
kill_import() {
  local delay_ms=$1 label=$2 status=0
  rm -f "$dir/db" "$dir/db-journal" "$dir/db-wal" "$dir/db-shm"
  cp "$dir/earlier.db" "$dir/db"
  "$tlconv" import --db "$dir/db" --no-restart --yes "$dir/source.db" >/dev/null 2>&1 &
  local pid=$!
  sleep "$(printf '%d.%03d' $((delay_ms / 1000)) $((delay_ms % 1000)))"
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || status=$?
  # 137 is death by SIGKILL; anything else means the import ended first.
  [ "$status" -eq 137 ] || finished=$((finished + 1))
  check=$(sqlite3 "$dir/db" "pragma integrity_check")
  [ "$check" = ok ] || { echo "$label (${delay_ms} ms): integrity_check says: $check" >&2; exit 1; }
  dump "$dir/db" > "$dir/now.txt"
  if cmp -s "$dir/now.txt" "$dir/earlier.txt"; then earlier=$((earlier + 1))
  elif cmp -s "$dir/now.txt" "$dir/new.txt"; then new=$((new + 1))
  else echo "$label (${delay_ms} ms): the table holds neither the earlier nor the new list" >&2; exit 1
  fi
}

for ((run = 0; run < runs; run++)); do
  # Delays spread from 0 to 1.3 times a complete run.
  kill_import $(( full_ms * 13 * run / (10 * runs) + RANDOM % 5 )) "run $run"
done
# A loaded machine can shift every kill to one side of the commit: move the
# moments, later while no kill left the new list, earlier while none left
# the earlier one.
for ((extra = 1; extra <= 8 && new == 0; extra++)); do
  kill_import $(( full_ms * (10 + 5 * extra) / 10 )) "later kill $extra"
done
for ((extra = 1; extra <= 8 && earlier == 0; extra++)); do
  kill_import $(( full_ms / (2 * extra) )) "earlier kill $extra"
done

summary="crash safety: $((earlier + new)) kills (complete import ${full_ms} ms): $earlier left the earlier list, $new the new one ($finished came after the import had ended)"
if [ "$earlier" -eq 0 ] || [ "$new" -eq 0 ]; then
  echo "$summary: both outcomes are needed, so the kill moments tested nothing" >&2
  exit 1
fi
if [ "$finished" -eq $((earlier + new)) ]; then
  echo "$summary: no kill reached a running import" >&2
  exit 1
fi
echo "$summary"
