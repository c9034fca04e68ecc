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
. "$root/scripts/lib/wine-window.sh"
build_windows_if_missing tinglan_convert.exe window_driver.exe

open_wine_work tl-window
out=$build/window-test
rm -rf "$out" && mkdir -p "$out"
log=$out/driver.log
start_wine_display

# The program runs from a folder of its own, beside the left-over of an
# earlier update that start-up must delete.
app=$work/app
mkdir -p "$app"
cp "$build/tinglan_convert.exe" "$app/"
program=$app/tinglan_convert.exe

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

echo "-- sort by the name header, rename in the edit dialog, import into a 汀澜 database"
sqlite3 "$work/edit.db" "create table workstation(computer text, ip text, mac text, subnetmask text,
  gateway text, dns text);
  insert into workstation values('PC9','192.168.0.19','00-11-22-33-44-09','255.255.255.0','192.168.0.1','8.8.8.8,114.114.114.114');
  insert into workstation values('PC10','192.168.0.20','00:11:22:33:44:10','255.255.255.0','192.168.0.1','8.8.8.8,8.8.4.4');
  insert into workstation values('PC1','192.168.0.11','00-11-22-33-44-01','255.255.255.0','192.168.0.1','1.1.1.1,8.8.8.8');
  insert into workstation values('pc2','192.168.1.12','00-11-22-33-44-02','255.255.255.0','192.168.1.1','1.1.1.1,8.8.8.8');"
# The database lies where the tool looks when the 汀澜 server is not
# running: data\data.db beside the tool. Its earlier rows must go.
mkdir -p "$app/data"
sqlite3 "$app/data/data.db" "create table cs_client_info(id integer primary key, client_name text, client_mac text,
  client_ip text, client_mask text, client_gate_way text, client_dns1 text, client_dns2 text, client_group_name text);
  insert into cs_client_info(client_name,client_ip) values('OLD1','1'),('OLD2','2');"
start_program "$(winpath "$work/edit.db")"
# Header clicks: the first sorts the names descending, ignoring ASCII case;
# a click on the IP header sorts nothing but flips the direction, so the
# next name click sorts descending again and the one after ascending. Every
# click renumbers column 0.
drive "wait-status=0|客户机总数: 4" "wait-column=1|PC1|PC10|PC9|pc2" \
  "header=1" "wait-column=1|PC9|pc2|PC10|PC1" rows \
  "header=2" "header=1" "header=1" "wait-column=1|PC1|PC10|pc2|PC9" "wait-column=0|1|2|3|4" rows
# IP-segment mode rewrites only the IP column, prefix mode only the names;
# every occurrence in any case, the replacement as typed.
drive "click=修改信息" menu-escape "command=2012" "dialog=修改IP段" \
  "dialog-type=修改IP段|192.168.0.|10.0.0." "dialog-click=修改IP段|修改" \
  "wait-column=2|10.0.0.11|10.0.0.20|192.168.1.12|10.0.0.19" \
  "command=2011" "dialog=修改计算机名前缀" "dialog-type=修改计算机名前缀|pc|wb" "dialog-click=修改计算机名前缀|修改" \
  "wait-column=1|wb1|wb10|wb2|wb9" "wait-column=2|10.0.0.11|10.0.0.20|192.168.1.12|10.0.0.19" \
  "dialog-esc=修改计算机名前缀" rows
grid=$(grep -P '^row\t' "$log" | tail -4)
[ "$(printf '%s\n' "$grid" | cut -f2-6 | tr '\t' ' ')" = "1 wb1 10.0.0.11 00-11-22-33-44-01 255.255.255.0
2 wb10 10.0.0.20 00:11:22:33:44:10 255.255.255.0
3 wb2 192.168.1.12 00-11-22-33-44-02 255.255.255.0
4 wb9 10.0.0.19 00-11-22-33-44-09 255.255.255.0" ] || { echo "grid after the edits wrong:"; echo "$grid"; exit 1; }
[ "$(printf '%s\n' "$grid" | cut -f7 | tr '\n' ' ')" = "192.168.0.1 192.168.0.1 192.168.1.1 192.168.0.1 " ] ||
  { echo "the renames touched the gateway column"; exit 1; }
# The check asks first: the moved IPs left the gateway 192.168.0.1 in
# another subnet. Under Wine there is no sentry_bs service: the import is
# written and the failed restart is said so.
drive "click=导入" "answer=提示|OK" "answer=提示|OK" "answer=提示" "wait-status=2|导入完毕" \
  "wait-column=1|wb1|wb10|wb2|wb9" close
wait_program_end
expect "message 提示: 客户机列表有 3 处问题:"
expect "网关不在本网段 10.0.0.11 192.168.0.1: 序号 1 wb1"
expect "message 提示: 已找到数据库 $(winpath "$app/data/data.db") 是否直接使用"
expect "message 提示: 导入完毕 汀澜主服务重启失败 请手动启动服务"
ipnum() {
  [ -n "$1" ] || return 0
  local a b c d
  IFS=. read -r a b c d <<<"$1"
  echo $(((a << 24) + (b << 16) + (c << 8) + d))
}
want=""
while IFS=$'\t' read -r _ _ name ip mac mask gateway dns1 dns2; do
  want+="$name|$(ipnum "$ip")|${mac//-/}|$(ipnum "$mask")|$(ipnum "$gateway")|$(ipnum "$dns1")|$(ipnum "$dns2")|默认分组"$'\n'
done <<<"$grid"
got=$(sqlite3 "$app/data/data.db" "select client_name,client_ip,client_mac,client_mask,client_gate_way,client_dns1,
  client_dns2,client_group_name from cs_client_info order by id" | iconv -f GBK -t UTF-8)
[ "$got" = "${want%$'\n'}" ] || { echo "the database differs from the grid:"; echo "$got"; echo "want:"; echo "$want"; exit 1; }
# One row spelled out, so that the comparison above cannot agree with a wrong grid.
printf '%s\n' "$got" | grep -qxF "wb1|167772171|001122334401|4294967040|3232235521|16843009|134744072|默认分组" ||
  { echo "wb1 stored wrong"; exit 1; }

echo "-- a list with a duplicated MAC: the check asks first; Cancel writes nothing, OK imports and keeps a copy"
sqlite3 "$work/dupes.db" "create table workstation(computer text, ip text, mac text, subnetmask text,
  gateway text, dns text);
  insert into workstation values('PC1','192.168.0.11','00-11-22-33-44-01','255.255.255.0','192.168.0.1','8.8.8.8');
  insert into workstation values('PC2','192.168.0.12','00:11:22:33:44:01','255.255.255.0','192.168.0.1','8.8.8.8');"
copies() { find "$app/data/导入前备份" -name 'cs_client_info-*.db' 2>/dev/null | wc -l; }
copies_before=$(copies)
table_before=$(sqlite3 "$app/data/data.db" "select * from cs_client_info order by id")
start_program "$(winpath "$work/dupes.db")"
drive "wait-status=0|客户机总数: 2" "click=导入" "answer=提示|Cancel" "no-message=提示"
[ "$(sqlite3 "$app/data/data.db" "select * from cs_client_info order by id")" = "$table_before" ] ||
  { echo "Cancel on the check's question changed the table"; exit 1; }
[ "$(copies)" = "$copies_before" ] || { echo "Cancel on the check's question wrote a copy"; exit 1; }
drive "click=导入" "answer=提示|OK" "answer=提示|OK" "answer=提示|OK" "wait-status=2|导入完毕" close
wait_program_end
expect "message 提示: 客户机列表有 1 处问题:"
expect "MAC地址重复 00-11-22-33-44-01: 序号 1 PC1, 序号 2 PC2"
expect "是否仍然导入？"
expect "新增 1 台 删除 3 台 修改 1 台 未变 0 台"
grep -qE "^原列表已保存到 .*导入前备份.cs_client_info-[0-9]{8}-[0-9]{6}(-[0-9]+)?\.db$" "$log" ||
  { echo "the closing message names no copy"; exit 1; }
[ "$(sqlite3 "$app/data/data.db" "select client_name, client_mac from cs_client_info order by id" | tr '\n' ' ')" = \
  "PC1|001122334401 PC2|00:11:22:33:44:01 " ] || { echo "OK on the check's question did not import"; exit 1; }
[ "$(copies)" = $((copies_before + 1)) ] || { echo "no copy of the replaced list"; exit 1; }
newest=$(ls -t "$app/data/导入前备份"/cs_client_info-*.db | head -1)
[ "$(sqlite3 "$newest" "select * from cs_client_info order by id")" = "$table_before" ] ||
  { echo "the copy does not hold the replaced rows"; exit 1; }

echo "window end-to-end test passed"
