#!/usr/bin/env bash
# End-to-end test of the import against a stand-in 汀澜 server under Wine:
# the server executable runs from an installation folder whose path holds
# Chinese characters and spaces, and the service "sentry_bs" is a real
# service of the test's own Wine prefix (build-win/standins/). The window
# program and tlconv.exe find the database through the running server,
# import, and restart the service through the service manager: a restart, a
# refused start, a service that was not running, and a stop that never ends.
# Prints how long an import with a real restart takes.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=$root/build-win
. "$root/scripts/lib/wine-window.sh"
build_windows_if_missing tinglan_convert.exe window_driver.exe tlconv.exe standins/YCTLBarserver.exe \
  standins/sentry_bs_standin.exe

open_wine_work tl-server
start_wine_display
began=$(date +%s)

# The installation: the server, its service program and data\data.db.
install="$work/琰川科技/汀澜 分层同步"
mkdir -p "$install/data"
cp "$build/standins/YCTLBarserver.exe" "$build/standins/sentry_bs_standin.exe" "$install/"
target=$install/data/data.db
service_log=$install/sentry_bs.log
service_conf=$install/sentry_bs.conf
: >"$service_log"
printf 'stop_ms=1500\n' >"$service_conf"

# The tool runs from a folder of its own: only the server's process leads to the database.
app=$work/app
mkdir -p "$app"
cp "$build/tinglan_convert.exe" "$build/tlconv.exe" "$app/"
program=$app/tinglan_convert.exe

# The list to import: a 汀澜 list (网吧01 and 网吧02 as GBK bytes), every
# address cell filled, so that the stored rows equal the source's.
# Gateways lie in their clients' subnets, so the import's check asks nothing.
source=$work/source.db
sqlite3 "$source" "create table cs_client_info(id integer primary key, client_name text, client_mac text,
  client_ip text, client_mask text, client_gate_way text, client_dns1 text, client_dns2 text, client_group_name text);
  insert into cs_client_info(client_name,client_mac,client_ip,client_mask,client_gate_way,client_dns1,client_dns2)
  values(cast(x'CDF8B0C93032' as text),'001a2b3c4d02','3232235778','4294967040','3232236030','134744072','16843009'),
        (cast(x'CDF8B0C93031' as text),'001a2b3c4d01','3232235777','4294967040','3232236030','134744072','0'),
        ('PC03','AABBCCDDEEFF','167772161','4294901760','167772417','167772417','134744072');"
stored_columns="hex(client_name), upper(client_mac), client_ip, client_mask, client_gate_way, client_dns1, client_dns2"
want_rows=$(sqlite3 "$source" "select $stored_columns, 'C4ACC8CFB7D6D7E9' from cs_client_info order by client_name")

# The server's old list, put back before each import.
reset_target() { scripts/make-sample.sh "$target" >/dev/null; }
expect_imported() {
  local got
  got=$(sqlite3 "$target" "select $stored_columns, hex(client_group_name) from cs_client_info order by id")
  [ "$got" = "$want_rows" ] || { echo "the database differs from the list ($1):"; echo "$got"; exit 1; }
}

# The service log since a case began: its events, and one event's time in ms.
log_mark() { wc -l <"$service_log"; }
events_since() { tail -n +"$(($1 + 1))" "$service_log" | tr -d '\r' | cut -d' ' -f3 | tr '\n' ' '; }
event_ms() {
  local stamp
  stamp=$(tail -n +"$(($1 + 1))" "$service_log" | tr -d '\r' | grep " $2\$" | head -1 | cut -d' ' -f1-2)
  date -d "$stamp" +%s%3N
}
expect_events() {
  local got
  got=$(events_since "$1")
  [ "$got" = "$2" ] || { echo "service log: '$got', expected '$2'"; cat "$service_log"; exit 1; }
}

ms_now() { date +%s%3N; }
question="已找到数据库 $(winpath "$target") 是否直接使用"
restarted="导入完毕 已重启汀澜主服务 等待控制台刷新后"
started="导入完毕 已启动汀澜主服务 等待控制台刷新后"
failed="导入完毕 汀澜主服务重启失败 请手动启动服务"

echo "-- the stand-in server runs from $(winpath "$install"); sentry_bs is registered, not started"
# Wine ends its service manager a moment after the last program of the
# prefix has ended, and a manager on its way out turns requests away. So the
# prefix's start-up is let to end first, and the server, which runs until
# the end, starts before the service is registered.
"$wineserver" -w
timeout 300 "$wine" "$install/YCTLBarserver.exe" >/dev/null 2>&1 &
for _ in $(seq 100); do [ -e "$install/YCTLBarserver.running" ] && break; sleep 0.1; done
[ -e "$install/YCTLBarserver.running" ] || { echo "the stand-in server did not start"; exit 1; }
"$wine" sc create sentry_bs binPath= "\"$(winpath "$install/sentry_bs_standin.exe")\"" >"$work/sc.log" 2>&1 ||
  { echo "sc create failed:"; cat "$work/sc.log"; exit 1; }

# One import in the window: the found database is taken (OK) and the
# closing message collected. The driver's lines go to $log.
window_import() {
  log=$work/window-$1.log
  reset_target
  start_program "$(winpath "$source")"
  drive "wait-status=0|客户机总数: 3" "click=导入" "answer=提示|OK" "answer=提示" "wait-status=2|导入完毕" close
  wait_program_end
  expect "message 提示: $question"
  expect_imported "window, $1"
}

echo "-- window: the service was not running: it is started"
mark=$(log_mark)
window_import not-running
expect "message 提示: $started"
expect_events "$mark" "starting running "

echo "-- window: the service runs: stop (1.5 s), then start after the stop has ended"
mark=$(log_mark)
window_import restart
expect "message 提示: $restarted"
expect_events "$mark" "stopping stopped starting running "
stop_took=$(($(event_ms "$mark" stopped) - $(event_ms "$mark" stopping)))
[ "$stop_took" -ge 1400 ] || { echo "the stand-in stopped in $stop_took ms"; exit 1; }
[ "$(event_ms "$mark" starting)" -ge "$(event_ms "$mark" stopped)" ] ||
  { echo "the start began before the stop had ended"; cat "$service_log"; exit 1; }
echo "window: the restart took $(($(event_ms "$mark" running) - $(event_ms "$mark" stopping))) ms from the stop request" \
  "to the service running again, $stop_took ms of it the stand-in's own stop"

echo "-- window: the service refuses its start: the import stays, the message says the restart failed"
printf 'stop_ms=0\nstart=refuse\n' >"$service_conf"
mark=$(log_mark)
window_import refused
expect "message 提示: $failed"
expect_events "$mark" "stopping stopped starting refused "

# tlconv.exe import --yes --json: the messages of the JSON, one a line (the
# closing one's first line; the lines after it say what changed and where the
# old list was kept).
cli_import() {
  reset_target
  local t0 status=0
  t0=$(ms_now)
  timeout 120 "$wine" "$app/tlconv.exe" import --yes --json "$(winpath "$source")" >"$work/cli.json" \
    2>"$work/cli.err" || status=$?
  cli_ms=$(($(ms_now) - t0))
  [ "$status" = 0 ] || { echo "tlconv import ended with $status:"; cat "$work/cli.err"; exit 1; }
  cli_messages=$(python3 -c 'import json,sys
doc = json.load(open(sys.argv[1], encoding="utf-8"))
assert doc["status"][2] == "导入完毕", doc["status"]
assert "原列表已保存到" in doc["messages"][-1]["text"], doc["messages"][-1]
for m in doc["messages"]: print(m["caption"], m["icon"], m["text"].splitlines()[0])' "$work/cli.json")
  expect_imported "tlconv, $1"
}
expect_cli() {
  local want
  want=$(printf '提示 question %s\n提示 %s %s' "$question" "$1" "$2")
  [ "$cli_messages" = "$want" ] || { echo "tlconv's messages:"; echo "$cli_messages"; echo "expected:"; echo "$want"; exit 1; }
}

echo "-- tlconv.exe import --yes: a refused start, a service that was not running, a restart"
mark=$(log_mark)
cli_import refused
expect_cli error "$failed"
expect_events "$mark" "starting refused "
printf 'stop_ms=0\n' >"$service_conf"
mark=$(log_mark)
cli_import not-running
expect_cli question "$started"
expect_events "$mark" "starting running "
# Three runs each with and without the restart; the middle one counts.
middle() { printf '%s\n' "$@" | sort -n | sed -n 2p; }
with=() without=()
for _ in 1 2 3; do
  mark=$(log_mark)
  cli_import restart
  expect_cli question "$restarted"
  expect_events "$mark" "stopping stopped starting running "
  with+=("$cli_ms")
  mark=$(log_mark)
  reset_target
  t0=$(ms_now)
  timeout 120 "$wine" "$app/tlconv.exe" import --yes --no-restart "$(winpath "$source")" >/dev/null 2>&1
  without+=($(($(ms_now) - t0)))
  expect_imported "tlconv, --no-restart"
  expect_events "$mark" ""
done
echo "tlconv.exe import --yes under Wine: $(middle "${with[@]}") ms with a real restart (the stand-in stops at once)," \
  "$(middle "${without[@]}") ms with --no-restart (middle of three runs each)"

echo "-- tlconv.exe import --yes: a stop that never ends fails within the bound and is never followed by a start"
printf 'stop_ms=never\n' >"$service_conf"
mark=$(log_mark)
cli_import never-stops
expect_cli error "$failed"
expect_events "$mark" "stopping "
# The tool gives a silent stop-pending service 15 s, polling once a second at most.
[ "$cli_ms" -ge 15000 ] && [ "$cli_ms" -lt 45000 ] || { echo "the hanging stop took $cli_ms ms"; exit 1; }
echo "the never-ending stop was given up after $cli_ms ms (the whole tlconv run)"

touch "$install/YCTLBarserver.quit"
echo "server end-to-end test passed in $(($(date +%s) - began)) s"
