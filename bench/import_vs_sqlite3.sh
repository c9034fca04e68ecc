#!/usr/bin/env bash
# Whole-run timing: 10,000 clients imported into a 汀澜 database by tlconv
# (reading the source list included, then once more without it) next to the
# sqlite3 shell loading the same rows in one transaction.
# Usage: bench/import_vs_sqlite3.sh [path/to/tlconv] [rows]
set -euo pipefail
tlconv=${1:-build/tlconv}
rows=${2:-10000}
[ -x "$tlconv" ] || { echo "no $tlconv: build it first" >&2; exit 1; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

table="create table cs_client_info(id integer primary key, client_name text, client_mac text, client_ip text,
  client_mask text, client_gate_way text, client_dns1 text, client_dns2 text, client_group_name text);"
sqlite3 "$dir/source.db" "$table
  with recursive n(i) as (select 1 union all select i + 1 from n where i < $rows)
  insert into cs_client_info(client_name,client_mac,client_ip,client_mask,client_gate_way,client_dns1,client_dns2,client_group_name)
  select printf('PC%05d', i), printf('001a2b%06x', i), 167772160 + i, 4294967040, 167772161, 134744072, '', 'g' from n;"
sqlite3 "$dir/target.db" "$table insert into cs_client_info(client_name) values('old');"
cp "$dir/target.db" "$dir/shell.db"

# The same rows as the import writes them, as one SQL script for the shell.
{
  echo "begin; delete from cs_client_info;"
  sqlite3 "$dir/source.db" "select printf('insert into cs_client_info (client_name,client_mac,client_ip,client_mask,client_gate_way,client_dns1,client_dns2,client_group_name) values(%Q,%Q,%Q,%Q,%Q,%Q,%Q,''default'');',
    client_name, upper(client_mac), client_ip, client_mask, client_gate_way, client_dns1, '') from cs_client_info order by client_name"
  echo "commit;"
} > "$dir/load.sql"

seconds() { local start end; start=$(date +%s.%N); "$@" >/dev/null 2>&1; end=$(date +%s.%N); echo "$end - $start" | bc; }

read_only=$(seconds "$tlconv" show --json "$dir/source.db")
import=$(seconds "$tlconv" import --db "$dir/target.db" --no-restart "$dir/source.db")
shell=$(seconds sqlite3 "$dir/shell.db" ".read $dir/load.sql")
[ "$(sqlite3 "$dir/target.db" "select count(*) from cs_client_info")" = "$rows" ]
[ "$(sqlite3 "$dir/shell.db" "select count(*) from cs_client_info")" = "$rows" ]

printf 'rows: %s\n' "$rows"
printf 'tlconv import (read + import): %.3f s\n' "$import"
printf 'tlconv show --json (read only): %.3f s\n' "$read_only"
printf 'sqlite3 shell, one transaction: %.3f s\n' "$shell"
