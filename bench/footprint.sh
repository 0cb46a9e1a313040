#!/usr/bin/env bash
# Footprint report under Wine: Tarvell.exe (Windows build) in a fresh prefix, driven by
# footprint-bench.exe through the tray, the main window, many changes and repeated show/hide;
# private bytes, GDI/USER objects and handles after each phase, and the changes per minute.
#
# Usage: bench/footprint.sh [changes] [cycles]   (default 300 20)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TARVELL_WIN_BUILD:-$root/build/windows}
cd "$root"
if [ ! -f "$build/CMakeCache.txt" ]; then cmake --preset windows -B "$build" >/dev/null; fi
cmake --build "$build" -j2 --target Tarvell footprint-bench minimal-tray >/dev/null
exec bash tools/wine-run.sh "$build/bin/footprint-bench.exe" "${1:-300}" "${2:-20}"
