#!/usr/bin/env bash
# tlconv export end to end on a generated 汀澜 database: EDITS in command-line
# order, --rows, --output, the desktop rule, and the exit statuses.
set -euo pipefail
tlconv=$(realpath "$1")  # the steps below change directory
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
sqlite3 "$dir/data.db" "create table cs_client_info(client_name text, client_ip text, client_mac text,
  client_mask text, client_gate_way text, client_dns1 text, client_dns2 text, client_group_name text);
  insert into cs_client_info values('pc9','3232235777','001a2b3c4d5e','4294967040','3232235521','','','g');
  insert into cs_client_info values('PC10','3232235778','001a2b3c4d5f','4294967040','3232235521','','','g');
  insert into cs_client_info values('xpc1','3232235779','001a2b3c4d60','4294967040','3232235521','','','g');"

"$tlconv" export --template name --output "$dir/out.txt" "$dir/data.db" 2>"$dir/err"
grep -q '已导出文件 文件位置：' "$dir/err"

# Renaming before the sort changes what it sees; the file is GBK with CR LF
# between the lines and none after the last.
"$tlconv" export --replace-name pc wb --sort asc --template 'name' --output "$dir/out.txt" "$dir/data.db" 2>/dev/null
printf 'wb10\r\nwb9\r\nxwb1' | cmp - "$dir/out.txt"
"$tlconv" export --sort desc --replace-name pc 网吧 --template 'name' --rows 3,1 --output "$dir/out.txt" "$dir/data.db" 2>/dev/null
printf 'x网吧1\r\n网吧10' | iconv -f UTF-8 -t GBK | cmp - "$dir/out.txt"

# Without --output: the desktop folder and the timestamped name.
mkdir "$dir/desk"
XDG_DESKTOP_DIR="$dir/desk" "$tlconv" export --template name "$dir/data.db" 2>/dev/null
ls "$dir/desk" | grep -Eq '^导出文件[0-9]{14}\.txt$'

# No HOME and no desktop: the current directory, never the root folder.
mkdir "$dir/cwd"
(cd "$dir/cwd" && env -u HOME -u XDG_DESKTOP_DIR "$tlconv" export --template name "$dir/data.db" 2>/dev/null)
ls "$dir/cwd" | grep -Eq '^导出文件[0-9]{14}\.txt$'

# Standard output: the export text as UTF-8; the list itself is never the output.
[ "$("$tlconv" export --replace-name pc 网吧 --template name --rows 1 --output - "$dir/data.db")" = "网吧10" ]
cp "$dir/data.db" "$dir/before.db"
set +e; (cd "$dir" && "$tlconv" export --template name --output ./data.db "$dir/data.db" 2>"$dir/err"); rc=$?; set -e
[ $rc -eq 1 ] && grep -q -- --force "$dir/err" && cmp -s "$dir/data.db" "$dir/before.db"

expect_rc() {
  local want=$1; shift
  set +e; "$tlconv" "$@" >/dev/null 2>"$dir/err"; local got=$?; set -e
  [ "$got" -eq "$want" ] || { echo "tlconv $*: exit $got, expected $want"; cat "$dir/err"; exit 1; }
}
expect_rc 1 export --template name --rows '' --output "$dir/o.txt" "$dir/data.db"
grep -q '请选择要导出的机器' "$dir/err"
expect_rc 1 export --template '' --output "$dir/o.txt" "$dir/data.db"
expect_rc 1 export --template name --output "$dir/missing/o.txt" "$dir/data.db"
grep -q '导出文件失败 文件位置：' "$dir/err"
expect_rc 2 export --template name --rows 4 --output "$dir/o.txt" "$dir/data.db"
expect_rc 2 export --template name --rows x --output "$dir/o.txt" "$dir/data.db"
expect_rc 2 export --template name --sort up "$dir/data.db"
[ ! -e "$dir/o.txt" ]
echo "tlconv export: ok"
