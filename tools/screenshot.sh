#!/usr/bin/env bash
# Takes a screenshot of the real zarvik.exe on a virtual display:
#   tools/screenshot.sh [BUILD_DIR] [OUTPUT.png]     (defaults: build/win32, docs/screenshot.png)
# The exe runs from a scratch folder whose path.ini holds a sample account,
# so the boxes are filled; the whole display goes to OUTPUT.png and a 4x
# crop around the window to OUTPUT-window.png.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build/win32}")
out=$(realpath -m "${2:-$root/docs/screenshot.png}")
bench="$build/wine"

cmake --build "$build" --target zarvik >/dev/null
started_bench=no
if [ ! -s "$bench/display" ]; then
  "$root/cmake/wine-bench.sh" start "$bench" >/dev/null
  started_bench=yes
fi
export DISPLAY=$(cat "$bench/display")

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$build/bin/zarvik.exe" "$scratch/"
printf '[hm]\r\nzh=ZarvikNet\r\nmm=12345678\r\n' > "$scratch/path.ini"
"$root/cmake/wine-run.sh" "$bench" "$scratch/zarvik.exe" &
program=$!
# Until the window is on the display, then a moment for it to be painted.
for _ in $(seq 50); do
  xwininfo -root -tree | grep -q '"Zarvik": ("zarvik.exe"' && break
  sleep 0.2
done
sleep 1
mkdir -p "$(dirname "$out")"
import -window root "$out"
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true

# The window is 116x94 in the middle of the screen.
read -r width height < <(identify -format '%w %h\n' "$out")
x=$(( (width - 116) / 2 - 20 )); y=$(( (height - 94) / 2 - 20 ))
convert "$out" -crop "156x134+$x+$y" +repage -scale 400% "${out%.png}-window.png"

if [ "$started_bench" = yes ]; then
  "$root/cmake/wine-bench.sh" stop "$bench" >/dev/null
fi
echo "$out ${out%.png}-window.png"
