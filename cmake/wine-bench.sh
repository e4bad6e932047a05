#!/usr/bin/env bash
# The Wine test bench of one build tree: wine-bench.sh start|stop BENCH_DIR
#   start: a virtual 1920x1080 display, the prefix (made on first use, ~15 s),
#          drive D: mapped to a scratch folder, one persistent wineserver.
#   stop:  ends that prefix's wineserver, the display, and any process of the
#          bench still running. Nothing outside the bench is touched.
set -eu
action=$1
bench=$(realpath -m "$2")
. "$(dirname "$0")/wine-env.sh"
mkdir -p "$bench"

bench_pids() {
  # Processes tagged with this bench's directory, found through /proc.
  local p
  for p in /proc/[0-9]*; do
    if { tr '\0' '\n' < "$p/environ"; } 2>/dev/null | grep -qxF "ZARVIK_WINE_BENCH=$bench"; then
      echo "${p#/proc/}"
    fi
  done
}

case "$action" in
start)
  if [ ! -s "$bench/display" ] || ! kill -0 "$(cat "$bench/xvfb.pid" 2>/dev/null)" 2>/dev/null; then
    Xvfb -displayfd 1 -screen 0 1920x1080x24 -nolisten tcp >"$bench/display.raw" 2>"$bench/xvfb.log" &
    echo $! > "$bench/xvfb.pid"
    for _ in $(seq 100); do [ -s "$bench/display.raw" ] && break; sleep 0.1; done
    [ -s "$bench/display.raw" ] || { echo "Xvfb did not start" >&2; cat "$bench/xvfb.log" >&2; exit 1; }
    echo ":$(head -n1 "$bench/display.raw")" > "$bench/display"
  fi
  export DISPLAY=$(cat "$bench/display")
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "making the Wine prefix in $WINEPREFIX"
  fi
  # A fresh persistent wineserver for this prefix; daemons must not hold the
  # output pipe, or ctest waits for them.
  wineserver -k 2>/dev/null || true
  mkdir -p "$WINEPREFIX"
  wineserver -p >/dev/null 2>&1
  # Wine's own services start here with their output in the log: started
  # later by a test, they would hold ctest's output pipe open for good.
  wineboot -i >"$bench/wineboot.log" 2>&1 || true
  [ -d "$WINEPREFIX/drive_c/windows" ] || { echo "no Wine prefix:" >&2; cat "$bench/wineboot.log" >&2; exit 1; }
  # D: is a scratch drive for tests that need a program at a fixed drive path.
  mkdir -p "$bench/drive-d"
  ln -sfn "$bench/drive-d" "$WINEPREFIX/dosdevices/d:"
  echo "wine bench up on display $DISPLAY"
  ;;
stop)
  # The tag must not mark this script's own helpers as leftovers.
  unset ZARVIK_WINE_BENCH
  wineserver -k 2>/dev/null || true
  if [ -s "$bench/xvfb.pid" ]; then kill "$(cat "$bench/xvfb.pid")" 2>/dev/null || true; fi
  rm -f "$bench/display" "$bench/display.raw" "$bench/xvfb.pid"
  sleep 0.5
  for pid in $(bench_pids); do kill -9 "$pid" 2>/dev/null || true; done
  echo "wine bench down"
  ;;
*) echo "usage: $0 start|stop BENCH_DIR" >&2; exit 2 ;;
esac
