#!/usr/bin/env bash
# The Windows tlconv.exe under Wine imports a real 汀澜 database file: GBK
# names stored as GBK, the rows replaced in one go, and the missing
# "sentry_bs" service reported as a failed restart, not as a success.
set -euo pipefail
cd "$(dirname "$0")/.."
exe=build-win/tlconv.exe
[ -x "$exe" ] || { echo "no $exe: build the windows preset first" >&2; exit 1; }
export WINEDEBUG=-all LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
dir=$(mktemp -d)
own_prefix=
if [ -z "${WINEPREFIX:-}" ]; then
  own_prefix=$(mktemp -d /tmp/tl-wine-import.XXXXXX)
  export WINEPREFIX=$own_prefix
fi
cleanup() {
  rm -rf "$dir"
  if [ -n "$own_prefix" ]; then /usr/lib/wine/wineserver -k 2>/dev/null || true; rm -rf "$own_prefix"; fi
}
trap cleanup EXIT
wine=/usr/lib/wine/wine64
table="create table cs_client_info(id integer primary key, client_name text, client_mac text, client_ip text,
  client_mask text, client_gate_way text, client_dns1 text, client_dns2 text, client_group_name text);"
# 网吧01 in GBK, so that the source reads as the 汀澜 server keeps it.
sqlite3 "$dir/source.db" "$table insert into cs_client_info(client_name,client_mac,client_ip,client_mask,client_dns1)
  values(cast(x'CDF8B0C93031' as text),'001a2b3c4d01','3232235777','4294967040',''),('O''Neil;','aa','1','','');"
sqlite3 "$dir/target.db" "$table insert into cs_client_info(client_name) values('OLD');"

"$wine" "$exe" import --db "Z:$dir/target.db" --no-restart --yes "Z:$dir/source.db" >"$dir/out" 2>"$dir/err"
grep -q -- --no-restart "$dir/err"
got=$(sqlite3 "$dir/target.db" "select hex(client_name), client_mac, client_ip, client_mask, client_dns1, hex(client_group_name)
  from cs_client_info order by id")
want="4F274E65696C3B|AA|1|0|0|C4ACC8CFB7D6D7E9
CDF8B0C93031|001A2B3C4D01|3232235777|4294967040|0|C4ACC8CFB7D6D7E9"
[ "$got" = "$want" ] || { echo "stored rows differ:"; echo "$got"; exit 1; }

# Showing a list ends cleanly: the output is all written and the program
# exits 0 (a stream left tied to a destroyed one once crashed at exit).
"$wine" "$exe" show "Z:$dir/source.db" >"$dir/out" 2>"$dir/err"
[ "$(grep -c 'O.Neil;' "$dir/out")" = 1 ] || { echo "show printed no client row" >&2; exit 1; }

# With the restart: the import is committed (exit 0) and the box says the restart failed.
"$wine" "$exe" import --json --yes --db "Z:$dir/target.db" "Z:$dir/source.db" >"$dir/out" 2>"$dir/err"
grep -q '"icon":"error"' "$dir/out"
grep -q '汀澜主服务重启失败' "$dir/out"

# A text file as the target: refused, untouched.
printf 'not a database\n' >"$dir/text.db"
set +e
"$wine" "$exe" import --db "Z:$dir/text.db" --no-restart --yes "Z:$dir/source.db" >/dev/null 2>"$dir/err"; rc=$?
set -e
[ $rc -eq 1 ] && grep -q '数据库打开失败' "$dir/err" && [ "$(cat "$dir/text.db")" = "not a database" ]
echo "wine import: ok"
