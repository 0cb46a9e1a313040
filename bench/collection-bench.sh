#!/usr/bin/env bash
# Listing benchmark under Wine: Tarvell.exe (Windows build) started on trees of 20,000, 60,000
# and 100,000 pictures (hard links of a few small JPEGs, 1,000 to a folder, Subfolders on),
# against a bare walk of the same trees by collection-bench.exe; also the private bytes in the
# tray and one Ctrl+Z. The trees are made once and kept in build/bench-data/collection.
#
# Usage: bench/collection-bench.sh [COUNT...]   (default 20000 60000 100000)
. "$(dirname "$0")/bench-env.sh"
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(20000 60000 100000)
data="$root/build/bench-data/collection"
bench_windows Tarvell collection-bench
bench="$build/bin/collection-bench.exe"

# Wine reaches the Unix tree through drive Z:.
winpath() { printf 'Z:%s' "${1//\//\\}"; }

if [ ! -f "$data/seed/seed7.jpg" ]; then
  mkdir -p "$data"
  bash tools/wine-run.sh "$bench" --seed "$(winpath "$data/seed")"
fi
# One folder of 1,000 links, copied as links: a tree of 100,000 is made in seconds.
if [ ! -f "$data/folder.ready" ]; then
  rm -rf "$data/folder"; mkdir -p "$data/folder"
  for i in $(seq -w 0 999); do ln "$data/seed/seed$((10#$i % 8)).jpg" "$data/folder/p$i.jpg"; done
  touch "$data/folder.ready"
fi
for count in 1 "${counts[@]}"; do
  [ -f "$data/$count.ready" ] && continue
  rm -rf "${data:?}/$count"; mkdir -p "$data/$count"
  if [ "$count" = 1 ]; then
    ln "$data/seed/seed0.jpg" "$data/1/p0.jpg"
  else
    for ((f = 0; f < count / 1000; f++)); do cp -al "$data/folder" "$data/$count/$(printf 'f%04d' "$f")"; done
  fi
  touch "$data/$count.ready"
done
exec bash tools/wine-run.sh "$bench" "$(winpath "$data")" "${counts[@]}"
