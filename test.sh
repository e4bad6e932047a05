#!/usr/bin/env bash
# Installs what is missing, builds both presets and runs every test.
set -eu
cd "$(dirname "$0")"
cmake/install-deps.sh

status=0
for preset in host win32; do
  echo "== $preset: configure and build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$(nproc)"
  echo "== $preset: tests"
  ctest --preset "$preset" || status=1
done
exit $status
