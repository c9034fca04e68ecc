#!/usr/bin/env bash
# End-to-end test of the window program: runs tinglan_convert.exe under Wine
# on a private X server and operates it from outside with our driver
# (build-win/window_driver.exe), the way an operator would. Saves a
# screenshot of the main window to build-win/window-test/ (docs/screenshot.png
# is refreshed from it by hand).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=$root/build-win
if [ ! -f "$build/tinglan_convert.exe" ] || [ ! -f "$build/window_driver.exe" ]; then
  cmake --preset windows >/dev/null
  cmake --build --preset windows
fi

work=$(mktemp -d /tmp/tl-window.XXXXXX)
out=$build/window-test
rm -rf "$out" && mkdir -p "$out"
export WINEPREFIX=$work/prefix WINEDEBUG=-all LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
wine=/usr/lib/wine/wine64

display=""
for n in $(seq 91 140); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=$n; break; fi
done
[ -n "$display" ] || { echo "no free X display"; exit 1; }
Xvfb ":$display" -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  WINEPREFIX=$work/prefix wineserver -k 2>/dev/null || true
  WINEPREFIX=$work/prefix wineserver -w 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work" 2>/dev/null || { sleep 1; rm -rf "$work" || true; }
}
trap cleanup EXIT
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
[ -e "/tmp/.X11-unix/X$display" ] || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=":$display"
timeout 120 "$wine" wineboot --init >/dev/null 2>&1 || true

# The program runs from a folder of its own, beside the left-over of an
# earlier update that start-up must delete.
app=$work/app
mkdir -p "$app"
cp "$build/tinglan_convert.exe" "$app/"
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }

start_program() {
  timeout 300 "$wine" "$app/tinglan_convert.exe" "$@" >>"$work/program.log" 2>&1 &
  program_pid=$!
}
wait_program_end() {
  for _ in $(seq 100); do kill -0 "$program_pid" 2>/dev/null || { program_pid=""; return 0; }; sleep 0.1; done
  echo "the program did not end"; return 1
}
log=$out/driver.log
drive() {
  printf '%s\n' "$@" >"$work/steps.txt"
  timeout 120 "$wine" "$build/window_driver.exe" "$(winpath "$work/steps.txt")" | tr -d '\r' | tee -a "$log" | grep -q '^OK$' ||
    { echo "driver failed:"; tail -5 "$log"; exit 1; }
}
expect() {
  grep -qxF -- "$1" "$log" || { echo "expected line missing: $1"; exit 1; }
}

echo "-- a file of no list type, start-up, buttons on an empty grid, help, edit dialog"
printf 'leftover' >"$app/tinglan_convert.exe.old"
printf 'just some text\r\n' >"$work/notes.txt"
start_program "$(winpath "$work/notes.txt")"
drive wait-main window "wait-status=2|列表文件不支持" status rows \
  "click=修改信息" "answer=提示" "click=导出IPMAC" "answer=提示" "click=说明" "answer=说明" \
  "command=2012" "dialog=修改IP段" "dialog-click=修改IP段|修改计算机名前缀" "dialog=修改计算机名前缀" \
  "dialog-esc=修改计算机名前缀" "command=2011" "dialog=修改计算机名前缀" "dialog-esc=修改计算机名前缀" main-esc
import -window root "$out/empty.png" 2>/dev/null || true
drive close
wait_program_end
[ ! -e "$app/tinglan_convert.exe.old" ] || { echo "the .old file was not deleted"; exit 1; }
expect "window 汀澜客户机列表转换工具 846x522 fixed"
expect "status 0 "
expect "status 1 $(winpath "$work/notes.txt")"
expect "status 2 列表文件不支持"
expect "rows 0"
[ "$(grep -cxF 'message 提示: 请先打开列表文件' "$log")" = 2 ] || { echo "two 请先打开列表文件 messages expected"; exit 1; }
expect "message 说明: 汀澜无盘客户机列表导入工具"
expect "dialog 修改IP段 313x311 [当前IP段] [欲修改IP段] [修改计算机名前缀] [修改]"
expect "dialog 修改计算机名前缀 313x311 [当前前缀:] [欲修改前缀:] [修改IP段] [修改]"
expect "dialog closed by Esc"

echo "-- a missing file, and two files given at once"
start_program "$(winpath "$work/missing.db")"
drive "answer=提示" "wait-status=1|$(winpath "$work/missing.db")" status close
wait_program_end
expect "message 提示: 数据库打开失败！"
expect "status 2 "
printf 'a\n' >"$work/one.txt"
printf 'b\n' >"$work/two.txt"
start_program "$(winpath "$work/one.txt")" "$(winpath "$work/two.txt")"
drive "answer=提示" close
wait_program_end
[ "$(grep -cxF 'message 提示: 数据库打开失败！' "$log")" = 2 ] || { echo "two files at once must fail to open"; exit 1; }

echo "-- a 易乐游 list: grid rows, status fields, menus, screenshot"
sqlite3 "$work/workstation.db" "create table workstation(computer text, ip text, mac text, subnetmask text,
  gateway text, dns text);
  insert into workstation values('PC9','192.168.0.19','00:11:22:33:44:09','255.255.255.0','192.168.0.1','8.8.8.8,114.114.114.114');
  insert into workstation values('PC10','192.168.0.20','00:11:22:33:44:10','255.255.255.0','192.168.0.1','8.8.8.8');
  insert into workstation values('PC1','192.168.0.11','00:11:22:33:44:01','255.255.255.0','192.168.0.1','');"
start_program "$(winpath "$work/workstation.db")"
drive "wait-status=0|客户机总数: 3" status rows window "click=修改信息" "no-message=提示" "sleep=300"
import -window root "$out/main-window.png" 2>/dev/null || true
drive menu-escape "click=导出IPMAC" "no-message=提示" menu-escape close
wait_program_end
expect "status 1 $(winpath "$work/workstation.db")"
expect "status 2 列表类型: 易乐游无盘"
expect "rows 3"
[ "$(grep -cxF 'menu shown' "$log")" = 2 ] || { echo "the edit and export menus must open on a list"; exit 1; }
# The reader orders by computer name as SQLite compares it.
[ "$(grep -P '^row\t' "$log" | cut -f3 | tr '\n' ' ')" = "PC1 PC10 PC9 " ] || { echo "rows out of order"; exit 1; }
grep -qP '^row\t1\tPC1\t192\.168\.0\.11\t' "$log" || { echo "first row wrong"; exit 1; }

echo "window end-to-end test passed"
