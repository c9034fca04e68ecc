#!/usr/bin/env bash
# End-to-end test of the self-update under Wine: the test build of the window
# program (build-win/tinglan_convert_updatetest.exe, version 1.2.4.0, which
# asks the update server at 127.0.0.1:18734 and trusts the throw-away key
# build-win/update-test-key.pem) runs against a local HTTP server that offers
# version 1.2.5.0, release notes, a new program file and its signature. The
# programs served are real ones that ask no server: tinglan_convert_newer.exe
# (1.2.5.0) and tinglan_convert_older.exe (1.2.3.0), signed with
# scripts/sign-update.sh. Our driver answers the update question the way an
# operator would. Last, a server that accepts and never answers must not keep
# the window from showing for long.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=$root/build-win
. "$root/scripts/lib/wine-window.sh"
build_windows_if_missing tinglan_convert_updatetest.exe tinglan_convert_newer.exe tinglan_convert_older.exe \
  window_driver.exe
port=18734  # compiled into the test build (shell/CMakeLists.txt)
key=$build/update-test-key.pem  # made by the build's configuration, never committed

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
cp "$build/tinglan_convert_newer.exe" "$work/new.exe"
cp "$build/tinglan_convert_older.exe" "$work/older.exe"
"$root/scripts/sign-update.sh" "$key" "$work/new.exe" >/dev/null
"$root/scripts/sign-update.sh" "$key" "$work/older.exe" >/dev/null
# Puts a program and a signature file on the server.
serve() {
  cp "$1" "$www/tlup/tluptool.exe"
  if [ -n "$2" ]; then cp "$2" "$www/tlup/tluptool.exe.sig"; else rm -f "$www/tlup/tluptool.exe.sig"; fi
}
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
serve "$work/new.exe" "$work/new.exe.sig"
start_program
drive "answer=提示|Cancel" wait-main close
wait_program_end
expect "message 提示: 有新版本工具更新 版本号 1250 是否更新"
expect "修复若干问题"
unchanged "Cancel"
[ "$(requests tluptool.exe)" = 0 ] || { echo "Cancel still downloaded the program"; exit 1; }

echo "-- OK, but the served program is cut short, no program, missing, unsigned, tampered or older"
head -c "$(($(stat -c %s "$work/new.exe") / 2))" "$work/new.exe" >"$work/truncated.exe"
printf '<html><body>update</body></html>\r\n' >"$work/text.exe"
# One byte changed far inside the program: still a whole executable of 1.2.5.0.
cp "$work/new.exe" "$work/tampered.exe"
offset=$(($(stat -c %s "$work/new.exe") / 3))
printf "\\x$(printf '%02x' $((0x$(od -An -tx1 -j "$offset" -N1 "$work/new.exe" | tr -d ' ') ^ 1)))" |
  dd of="$work/tampered.exe" bs=1 seek="$offset" conv=notrunc status=none
cmp -s "$work/tampered.exe" "$work/new.exe" && { echo "the tampered copy equals the program"; exit 1; }
for bad in truncated text missing unsigned tampered older; do
  case $bad in
    truncated | text) serve "$work/$bad.exe" "$work/new.exe.sig" ;;
    missing) serve "$work/new.exe" "" && rm -f "$www/tlup/tluptool.exe" ;;
    unsigned) serve "$work/new.exe" "" ;;
    tampered) serve "$work/tampered.exe" "$work/new.exe.sig" ;;
    older) serve "$work/older.exe" "$work/older.exe.sig" ;;  # signed, but a rollback
  esac
  before=$(requests tluptool.exe)
  told=$(grep -cxF "message 提示: 更新文件校验失败 已取消更新" "$log" || true)
  start_program
  # The operator is told, and the program goes on starting: its main window
  # shows and works.
  drive "answer=提示|OK" "answer=提示" wait-main window close
  wait_program_end
  [ "$(grep -cxF "message 提示: 更新文件校验失败 已取消更新" "$log")" -gt "$told" ] ||
    { echo "$bad: the operator was not told"; tail -3 "$log"; exit 1; }
  unchanged "$bad download"
  [ "$(requests tluptool.exe)" -gt "$before" ] || { echo "$bad: the program was not fetched"; exit 1; }
done

echo "-- OK with a signed newer program: replaced, the old one kept as .old, the new one started"
serve "$work/new.exe" "$work/new.exe.sig"
start_program
drive "answer=提示|OK"
# The old program ends by itself once the new one runs.
wait_program_end
cmp -s "$program" "$work/new.exe" || { echo "the program file is not the served one"; exit 1; }
# The new program deletes the .old file as it starts; under Wine, where the
# file of a program still running can go, that may have happened already.
if [ -e "$program.old" ]; then
  cmp -s "$program.old" "$work/old.exe" || { echo "the .old file is not the previous program"; exit 1; }
fi
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

# A server that accepts and then never answers (silent), sends its header
# and then drips the body a byte a second (drip-body), or drips the header
# itself (drip-header): the check gives up and the window shows within the
# bound, with no question.
kill "$server_pid" 2>/dev/null || true
wait "$server_pid" 2>/dev/null || true
server_pid=""
for mode in silent drip-body drip-header; do
  echo "-- a $mode update server: the window shows within the bound"
  python3 - "$port" "$mode" >"$work/slow-server.log" 2>&1 <<'PY' &
import socket, sys, threading, time
port, mode = int(sys.argv[1]), sys.argv[2]
s = socket.socket()
s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
s.bind(("127.0.0.1", port))
s.listen(16)
print("listening", flush=True)
def answer(c):
    try:
        if mode == "drip-body":
            c.sendall(b"HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n")
        text = b"HTTP/1.0 200 OK\r\nX-Slow: " if mode == "drip-header" else b"1"
        while True:
            for byte in text:
                c.sendall(bytes([byte]))
                time.sleep(1)
            text = b"1"
    except OSError:
        pass
held = []
while True:
    c = s.accept()[0]
    held.append(c)  # the silent server keeps it open and says nothing
    if mode != "silent":
        threading.Thread(target=answer, args=(c,), daemon=True).start()
PY
  server_pid=$!
  for _ in $(seq 50); do grep -q listening "$work/slow-server.log" && break; sleep 0.1; done
  cp "$work/old.exe" "$program"
  started=$(date +%s%N)
  start_program
  drive "timeout=60000" wait-main
  shown=$(( ($(date +%s%N) - started) / 1000000 ))
  drive "no-message=提示" close
  wait_program_end
  unchanged "$mode server"
  echo "the window showed ${shown} ms after the start ($mode update server)"
  # 15 s for the check at most, and Wine's start of the program and the
  # driver (some 3 to 5 s on a busy machine).
  [ "$shown" -le 25000 ] || { echo "the $mode server held the window back for ${shown} ms"; exit 1; }
  kill "$server_pid" 2>/dev/null || true
  wait "$server_pid" 2>/dev/null || true
  server_pid=""
done

echo "update end-to-end test passed"
