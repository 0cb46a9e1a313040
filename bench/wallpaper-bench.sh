#!/usr/bin/env bash
# Wallpaper-change benchmark under Wine: Tarvell.exe (Release, Windows build) in a fresh
# prefix, driven by wallpaper-bench.exe: the time from Ctrl+Z to the wallpaper set for a
# 24-megapixel picture (median of the changes) and the program's private bytes in the tray
# after start-up and after the changes.
#
# Usage: bench/wallpaper-bench.sh [changes]   (default 10)
. "$(dirname "$0")/bench-env.sh"
changes=${1:-10}
bench_windows Tarvell wallpaper-bench
exec bash tools/wine-run.sh "$build/bin/wallpaper-bench.exe" "$changes"
