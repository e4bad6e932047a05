#!/usr/bin/env bash
# Runs one Windows program under 32-bit Wine: wine-run.sh BENCH_DIR PROGRAM [ARGS...]
# While the test bench is up (wine-bench.sh start) the program uses its display
# and wineserver; otherwise it uses $DISPLAY, or a virtual display of its own.
set -eu
bench=$(realpath -m "$1"); shift
. "$(dirname "$0")/wine-env.sh"
mkdir -p "$bench"

if [ -s "$bench/display" ]; then
  export DISPLAY=$(cat "$bench/display")
fi
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1920x1080x24" wine "$@"
fi
exec wine "$@"
