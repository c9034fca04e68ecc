# Shared pieces of the scripts that run the window program under Wine on a
# private X server and operate it with our driver (build-win/window_driver.exe).
# Sourced, not run. The caller sets `build` (the Windows build folder), calls
# open_wine_work for its temporary folder `work`, and sets `program` (the .exe
# to start) and `log` (where the driver's output collects).

# Debian's wine64 puts neither wrapper on PATH.
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
program_pid=""
xvfb_pid=""

# Builds the Windows preset when one of the given build outputs is missing.
build_windows_if_missing() {
  local target
  for target in "$@"; do
    if [ ! -f "$build/$target" ]; then
      cmake --preset windows >/dev/null
      cmake --build --preset windows -j2
      return
    fi
  done
}

# A fresh temporary folder in $work, removed when the script ends together
# with everything started under it. A script that starts more (a server)
# defines before_wine_cleanup to end it first.
open_wine_work() {
  work=$(mktemp -d "/tmp/$1.XXXXXX")
  trap close_wine_work EXIT
}

close_wine_work() {
  if declare -F before_wine_cleanup >/dev/null; then before_wine_cleanup; fi
  stop_wine_display
  rm -rf "$work" 2>/dev/null || { sleep 1; rm -rf "$work" || true; }
}

winpath() { printf 'Z:%s' "$1" | tr / '\\'; }

# A private Wine prefix under $work and an X server on the first free
# display; exports what every Wine start needs.
start_wine_display() {
  export WINEPREFIX=$work/prefix WINEDEBUG=-all LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
  local display="" n
  for n in $(seq 91 140); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=$n; break; fi
  done
  [ -n "$display" ] || { echo "no free X display"; return 1; }
  Xvfb ":$display" -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
  [ -e "/tmp/.X11-unix/X$display" ] || { echo "Xvfb did not start"; return 1; }
  export DISPLAY=":$display"
  timeout 120 "$wine" wineboot --init >/dev/null 2>&1 || true
}

# Ends the program, every Wine process of the prefix and the X server.
stop_wine_display() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  if [ -n "${WINEPREFIX:-}" ]; then
    "$wineserver" -k 2>/dev/null || true
    "$wineserver" -w 2>/dev/null || true
  fi
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
}

start_program() {
  timeout 300 "$wine" "$program" "$@" >>"$work/program.log" 2>&1 &
  program_pid=$!
}

# Waits (ten seconds at most) for the started program's process to end.
wait_program_end() {
  for _ in $(seq 100); do kill -0 "$program_pid" 2>/dev/null || { program_pid=""; return 0; }; sleep 0.1; done
  echo "the program did not end"; return 1
}

# Runs the driver on the given steps; its output joins $log. Fails the
# script unless the driver ends with "OK".
drive() {
  printf '%s\n' "$@" >"$work/steps.txt"
  timeout 600 "$wine" "$build/window_driver.exe" "$(winpath "$work/steps.txt")" | tr -d '\r' | tee -a "$log" |
    grep -q '^OK$' || { echo "driver failed:"; tail -5 "$log"; exit 1; }
}

expect() {
  grep -qxF -- "$1" "$log" || { echo "expected line missing: $1"; exit 1; }
}
