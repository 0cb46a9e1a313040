#!/usr/bin/env bash
# Times the picture scan with subfolders against find(1) on a generated tree of 100,000
# files in 5,000 folders (a quarter of them pictures). Builds an unsanitized Release
# build into build/bench; the tree is made once and kept in build/bench-data. Also gives the
# heap bytes a picture of the list the walk builds, and what the shuffle's listing of 100,000
# pictures costs.
#   bench/scan-bench.sh [ROUNDS]     (default 7 alternating rounds)
. "$(dirname "$0")/bench-env.sh"
rounds=${1:-7}
data="$root/build/bench-data/scan-tree"
folders=5000
files=20

bench_native scan-bench
bench="$build/bin/scan-bench"

if [ ! -f "$data.ready" ]; then
  echo "generating $folders folders with $files files each in $data"
  rm -rf "$data"; mkdir -p "$(dirname "$data")"
  "$bench" --generate "$data" "$folders" "$files"
  touch "$data.ready"
fi

export LC_ALL=C
# The picture mask: *.jpg;*.jpeg*;*.png;*.webp.
find_scan() { find "$data" -type f \( -iname '*.jpg' -o -iname '*.jpeg*' -o -iname '*.png' -o -iname '*.webp' \) | sort; }

# Both must find the same pictures, or the comparison means nothing.
ours=$("$bench" --print "$data" 2>/dev/null | sort | md5sum)
theirs=$(find_scan | md5sum)
if [ "$ours" != "$theirs" ]; then
  echo "scan-bench and find disagree on the pictures" >&2
  exit 1
fi
count=$(find_scan | wc -l)

now() { date +%s%N; }
scan_times=(); find_times=()
"$bench" "$data" >/dev/null; find_scan >/dev/null   # warm the cache
for ((i = 0; i < rounds; i++)); do
  t0=$(now); "$bench" "$data" >/dev/null; t1=$(now)
  find_scan >/dev/null; t2=$(now)
  scan_times+=($(( (t1 - t0) / 1000 ))); find_times+=($(( (t2 - t1) / 1000 )))
done

scan_ms=$(printf '%s\n' "${scan_times[@]}" | median); find_ms=$(printf '%s\n' "${find_times[@]}" | median)
echo "tree: $folders folders, $((folders * files)) files, $count pictures"
awk -v s="$scan_ms" -v f="$find_ms" -v n="$rounds" 'BEGIN {
  printf "scan-bench median %.1f ms, find | sort median %.1f ms over %d rounds\n", s / 1000, f / 1000, n
  printf "ratio scan / find: %.2f (target <= 1.5)\n", s / f }'
"$bench" --memory "$data"
"$bench" --shuffle 100000
