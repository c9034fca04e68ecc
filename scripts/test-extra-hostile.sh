#!/usr/bin/env bash
# Runs `tlconv show` on hostile files: each must end with its reader's result
# or a clear message, never a crash or a hang, with peak memory within a small
# multiple of the file size.
# Usage: scripts/test-extra-hostile.sh [path/to/tlconv]
set -euo pipefail
cd "$(dirname "$0")/.."
tlconv=$(realpath "${1:-build/tlconv}")
[ -x "$tlconv" ] || { echo "no $tlconv: build it first" >&2; exit 1; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"

python3 - <<'PY'
deep = 100000
open('deep.xml', 'w').write('<?xml version="1.0"?><ClientInfor>' + '<a>' * deep + '</a>' * deep + '</ClientInfor>')
open('deep.json', 'w').write('{"produce":"hintsoft","macList":[],"PcList":' + '[' * deep + ']' * deep + '}')
with open('many.ini', 'w') as f:
    for i in range(1000000):
        f.write('[PC%d]\nmac=00:11:22:33:%02x:%02x\nip=10.0.%d.%d\n' % (i, i // 256 % 256, i % 256, i // 256 % 256, i % 256))
open('long.txt', 'w').write('produce hintsoft PcList macList ' + 'x' * 100000000)
PY
head -c 200000000 /dev/urandom > random.bin
mkdir '中文 目录'
cp deep.xml '中文 目录/客户 列表.xml'

failed=0
for file in random.bin deep.xml deep.json many.ini long.txt '中文 目录/客户 列表.xml'; do
  size_kb=$(( $(stat -c %s "$file") / 1024 ))
  set +e
  timeout 120 /usr/bin/time -o time.txt -f '%x %M' "$tlconv" show "$file" > out.txt 2> err.txt
  rc=$?
  set -e
  read -r exit_code peak_kb < <(tail -1 time.txt) || true
  # A grid row holds eight strings: a million short INI sections need ~6x their bytes.
  limit_kb=$(( size_kb * 8 + 65536 ))
  echo "$file: exit $rc, peak ${peak_kb:-?} kB (limit $limit_kb kB): $(tail -1 out.txt)$(tail -1 err.txt)"
  if [ "$rc" -ge 2 ] || [ -z "${peak_kb:-}" ] || [ "$peak_kb" -gt "$limit_kb" ]; then
    echo "  FAILED: crash, hang or too much memory" >&2; failed=1
  fi
  if [ "$rc" = 1 ] && [ ! -s err.txt ]; then echo "  FAILED: stopped without a message" >&2; failed=1; fi
done
exit $failed
