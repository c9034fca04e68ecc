#!/usr/bin/env bash
# tlconv end to end: a generated 汀澜 database shown as a table and as JSON.
set -euo pipefail
tlconv=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
sqlite3 "$dir/data.db" "create table cs_client_info(client_name text, client_ip text, client_mac text,
  client_mask text, client_gate_way text, client_dns1 text, client_dns2 text, client_group_name text);
  insert into cs_client_info values('PC01','3232235777','001a2b3c4d5e','4294967040','3232235521','','','g');"
[ "$("$tlconv" detect "$dir/data.db")" = "汀澜无盘" ]
"$tlconv" show --json "$dir/data.db" | grep -q '"type":"汀澜无盘"'
# Imported into a copy and read back: the same list, the group written.
cp "$dir/data.db" "$dir/target.db"
"$tlconv" import --db "$dir/target.db" --no-restart --yes "$dir/data.db" >/dev/null 2>"$dir/err"
grep -q -- --no-restart "$dir/err"
[ "$(sqlite3 "$dir/target.db" "select client_name, client_mac, client_ip, hex(client_group_name) from cs_client_info")" = \
  "PC01|001A2B3C4D5E|3232235777|C4ACC8CFB7D6D7E9" ]
set +e
"$tlconv" show "$dir/missing.db" >/dev/null 2>"$dir/err"; rc=$?
set -e
[ $rc -eq 1 ] && grep -q '数据库打开失败！' "$dir/err"
set +e
"$tlconv" show --bogus "$dir/data.db" >/dev/null 2>&1; rc=$?
set -e
[ $rc -eq 2 ]
# A full disk under standard output fails the command, for every command.
if [ -w /dev/full ]; then
  for args in "--version" "--help" "detect $dir/data.db" "show $dir/data.db" "show --json $dir/data.db" \
              "export --template name --output - $dir/data.db"; do
    set +e
    # shellcheck disable=SC2086
    "$tlconv" $args >/dev/full 2>"$dir/err"; rc=$?
    set -e
    [ $rc -eq 1 ] && grep -q 'cannot write to standard output' "$dir/err" || { echo "tlconv $args >/dev/full: exit $rc"; exit 1; }
  done
fi
echo "tlconv smoke: ok"
