#!/usr/bin/env bash
# Installs what is missing, builds the Windows exe and starts it under Wine,
# on $DISPLAY or, without one, on a virtual display.
set -eu
cd "$(dirname "$0")"
cmake/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$(nproc)" --target zarvik
exec cmake/wine-run.sh build/win32/run build/win32/bin/zarvik.exe "$@"
