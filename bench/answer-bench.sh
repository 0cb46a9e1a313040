#!/usr/bin/env bash
# Whether the main window keeps answering under Wine: the longest WM_NULL answer of Tarvell.exe
# while it applies a 108-megapixel progressive JPEG and while it lists 100,000 pictures.
# The tree is collection-bench.sh's (made there when missing); the big picture is made once
# and kept in build/bench-data/answer.
#
# Usage: bench/answer-bench.sh [OTHER_TARVELL_EXE]   (another build, measured in the same run)
. "$(dirname "$0")/bench-env.sh"
data="$root/build/bench-data"
[ -f "$data/collection/100000.ready" ] || bash bench/collection-bench.sh 100000 >/dev/null
bench_windows Tarvell answer-bench
winpath() { printf 'Z:%s' "${1//\//\\}"; }
mkdir -p "$data/answer"
bash tools/wine-run.sh "$build/bin/answer-bench.exe" "$(winpath "$data/answer")" "$(winpath "$data/collection/100000")"
if [ $# -gt 0 ]; then
  other="$data/answer/other"; mkdir -p "$other"; cp "$1" "$other/Tarvell.exe"
  bash tools/wine-run.sh "$build/bin/answer-bench.exe" --exe "$(winpath "$other/Tarvell.exe")" \
    "$(winpath "$data/answer")" "$(winpath "$data/collection/100000")"
fi
