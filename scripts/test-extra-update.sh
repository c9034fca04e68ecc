#!/usr/bin/env bash
# End-to-end test of the self-update under Wine: the test build of the window
# program (build-win/tinglan_convert_updatetest.exe, which asks the update
# server at 127.0.0.1:18734) runs against a local HTTP server that offers
# version 1.2.5.0, release notes and a new program file (a copy of the plain
# tinglan_convert.exe, a real program that asks no server). Our driver answers
# the update question the way an operator would.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=$root/build-win
. "$root/scripts/lib/wine-window.sh"
build_windows_if_missing tinglan_convert.exe tinglan_convert_updatetest.exe window_driver.exe
port=18734  # compiled into the test build (shell/CMakeLists.txt)

open_wine_work tl-update
out=$build/update-test
rm -rf "$out" && mkdir -p "$out"
log=$out/driver.log
server_pid=""
before_wine_cleanup() { [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true; }

# The port must be ours: a server of someone else's would answer in our place.
# (SO_REUSEADDR, as the server sets it, so that connections of an earlier run
# waiting in TIME_WAIT do not count as taken.)
python3 - "$port" <<'PY' || { echo "port $port on 127.0.0.1 is taken: the update test needs it free"; exit 1; }
import socket, sys
s = socket.socket()
s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
s.bind(("127.0.0.1", int(sys.argv[1])))
PY
www=$work/www
mkdir -p "$www/tlup"
printf '1.2.5.0' >"$www/tlup/version.txt"
printf '修复若干问题' | iconv -f UTF-8 -t GBK >"$www/tlup/updata.txt"
# WinINet must reach the server directly.
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY all_proxy ALL_PROXY no_proxy NO_PROXY
python3 -u -m http.server "$port" --bind 127.0.0.1 --directory "$www" >"$work/http.log" 2>&1 &
server_pid=$!
for _ in $(seq 50); do curl -sf "http://127.0.0.1:$port/" >/dev/null && break; sleep 0.1; done
kill -0 "$server_pid" 2>/dev/null && curl -sf "http://127.0.0.1:$port/" >/dev/null ||
  { echo "the update server did not start:"; cat "$work/http.log"; exit 1; }
# The program's requests to a path (it asks in HTTP/1.0).
requests() { grep -c "\"GET /tlup/$1 HTTP/1.0\"" "$work/http.log" || true; }

start_wine_display

app=$work/app
mkdir -p "$app"
program=$app/tinglan_convert_updatetest.exe
cp "$build/tinglan_convert_updatetest.exe" "$program"
cp "$program" "$work/old.exe"
cp "$build/tinglan_convert.exe" "$work/new.exe"
unchanged() {
  cmp -s "$program" "$work/old.exe" || { echo "$1: the program file changed"; exit 1; }
  [ ! -e "$program.old" ] || { echo "$1: a .old file appeared"; exit 1; }
  [ ! -e "$program.new" ] || { echo "$1: the downloaded file was left behind"; exit 1; }
}

echo "-- the same version on the server: no question"
printf '1.2.4.0' >"$www/tlup/version.txt"
start_program
drive wait-main "no-message=提示" close
wait_program_end
unchanged "same version"
[ "$(requests version.txt)" = 1 ] || { echo "the program did not ask the server:"; cat "$work/http.log"; exit 1; }
printf '1.2.5.0' >"$www/tlup/version.txt"

echo "-- a newer version, the operator says Cancel"
cp "$work/new.exe" "$www/tlup/tluptool.exe"
start_program
drive "answer=提示|Cancel" wait-main close
wait_program_end
expect "message 提示: 有新版本工具更新 版本号 1250 是否更新"
expect "修复若干问题"
unchanged "Cancel"
[ "$(requests tluptool.exe)" = 0 ] || { echo "Cancel still downloaded the program"; exit 1; }

echo "-- OK, but the served program is cut short, is no program, or is missing"
for bad in truncated text missing; do
  case $bad in
    truncated) head -c "$(($(stat -c %s "$work/new.exe") / 2))" "$work/new.exe" >"$www/tlup/tluptool.exe" ;;
    text) printf '<html><body>update</body></html>\r\n' >"$www/tlup/tluptool.exe" ;;
    missing) rm -f "$www/tlup/tluptool.exe" ;;
  esac
  before=$(requests tluptool.exe)
  start_program
  # The program goes on starting: its main window shows and works.
  drive "answer=提示|OK" wait-main window close
  wait_program_end
  unchanged "$bad download"
  [ "$(requests tluptool.exe)" -gt "$before" ] || { echo "$bad: the program was not fetched"; exit 1; }
done

echo "-- OK with a whole program: replaced, the old one kept as .old, the new one started"
cp "$work/new.exe" "$www/tlup/tluptool.exe"
start_program
drive "answer=提示|OK"
# The old program ends by itself once the new one runs.
wait_program_end
cmp -s "$program" "$work/new.exe" || { echo "the program file is not the served one"; exit 1; }
[ -e "$program.old" ] || { echo "no .old file after the update"; exit 1; }
cmp -s "$program.old" "$work/old.exe" || { echo "the .old file is not the previous program"; exit 1; }
[ ! -e "$program.new" ] || { echo "the downloaded file was left behind"; exit 1; }
# The new program's window (the served program asks no update server).
drive wait-main window "no-message=提示" close
expect "window 汀澜客户机列表转换工具 846x522 fixed"

echo "-- the next start deletes the .old file"
start_program
drive wait-main close
wait_program_end
[ ! -e "$program.old" ] || { echo "the next start left the .old file"; exit 1; }
cmp -s "$program" "$work/new.exe" || { echo "the program file changed again"; exit 1; }

echo "update end-to-end test passed"
