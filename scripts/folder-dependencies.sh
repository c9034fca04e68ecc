#!/usr/bin/env bash
# Prints which folder of the program includes which ("from -> to", with the
# number of includes), from the #include lines of the program's sources
# (tests, benchmarks and fuzz targets left out), and fails when a folder
# includes one of its own layer or above. The layers, from the bottom:
#   data/text   text helpers
#   platform    platform interfaces
#   data, data/sqlite, data/xml, data/json   data modules
#   core        the model: client grid, status fields, operator interface
#   readers, import, editing, update
#   app         the application: list converter, detection and dispatch
#   shell/wingui (includes nothing of the program); cli, shell/rules; shell
# Usage: scripts/folder-dependencies.sh [source root]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

layer() {
  case $1 in
    data/text) echo 0 ;;
    platform) echo 1 ;;
    data | data/sqlite | data/xml | data/json) echo 2 ;;
    core) echo 3 ;;
    readers | import | editing | update) echo 4 ;;
    app) echo 5 ;;
    shell/wingui) echo 6 ;;
    cli | shell/rules) echo 7 ;;
    shell) echo 8 ;;
    *) echo "unknown folder $1" >&2; exit 2 ;;
  esac
}

folders=()
for dir in app core readers import editing update data platform cli shell; do
  [ -d "$dir" ] && folders+=("$dir")
done
edges=$(grep -rHo --include='*.h' --include='*.cpp' '^#include "[^"]*/[^"/]*"' "${folders[@]}" |
  sed -E 's|^(.*)/[^/]*:#include "(.*)/[^/]*"$|\1 -> \2|' | awk -F' -> ' '$1 != $2' | sort | uniq -c)
echo "$edges"

status=0
while read -r count from arrow to; do
  [ -n "$from" ] || continue
  if [ "$from" = shell/wingui ] || [ "$(layer "$from")" -le "$(layer "$to")" ]; then
    echo "not downward: $from -> $to ($count includes)" >&2
    status=1
  fi
done <<< "$edges"
exit $status
