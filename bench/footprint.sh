#!/usr/bin/env bash
# Footprint report under Wine: Tarvell.exe (Windows build) in a fresh prefix, driven by
# footprint-bench.exe through the tray, the main window, many changes and repeated show/hide;
# private bytes, GDI/USER objects and handles after each phase, and the changes per minute.
#
# Usage: bench/footprint.sh [changes] [cycles]   (default 300 20)
. "$(dirname "$0")/bench-env.sh"
bench_windows Tarvell footprint-bench minimal-tray
exec bash tools/wine-run.sh "$build/bin/footprint-bench.exe" "${1:-300}" "${2:-20}"
