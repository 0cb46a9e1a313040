#!/usr/bin/env bash
# Wallpaper-change benchmark under Wine: Tarvell.exe (Release, Windows build) in a fresh
# prefix, driven by wallpaper-bench.exe: the time from Ctrl+Z to the wallpaper set for a
# 24-megapixel picture (median of the changes) and the program's private bytes in the tray
# after start-up and after the changes.
#
# Usage: bench/wallpaper-bench.sh [changes]   (default 10)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
changes=${1:-10}
build=${TARVELL_WIN_BUILD:-$root/build/windows}
cd "$root"
if [ ! -f "$build/CMakeCache.txt" ]; then cmake --preset windows -B "$build" >/dev/null; fi
cmake --build "$build" -j2 --target Tarvell wallpaper-bench >/dev/null
exec bash tools/wine-run.sh "$build/bin/wallpaper-bench.exe" "$changes"
