# Sourced by wine-run.sh and wine-bench.sh: the environment every Wine process
# of one bench shares. $bench is the bench directory inside the build tree.
export WINEPREFIX="$bench/prefix"
export WINEARCH=win32
export WINEDEBUG=-all
# Code page 936 for the ANSI functions; the C library locale must exist too,
# or paths with Chinese characters cannot be opened at all.
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
# No prompts to download the .NET and HTML engines, no desktop menu entries.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe="
# Tags every process of this bench so that leftovers can be found by PID.
export ZARVIK_WINE_BENCH="$bench"
