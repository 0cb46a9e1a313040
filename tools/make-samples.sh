#!/usr/bin/env bash
# Makes a small tree of sample pictures for the demo (once; cached under build/samples).
set -euo pipefail
out="${1:-$(cd "$(dirname "$0")/.." && pwd)/build/samples}"
[ -f "$out/.done" ] && { echo "$out"; exit 0; }
mkdir -p "$out/More"
i=0
for look in "plasma:steelblue-navy" "gradient:orange-purple" "plasma:seagreen-khaki" \
            "radial-gradient:gold-darkred" "plasma:tomato-slateblue" "gradient:skyblue-white"; do
  i=$((i + 1))
  dest="$out/Picture $i.jpg"; [ $i -gt 4 ] && dest="$out/More/Picture $i.jpg"
  convert -seed $i -size 1024x768 "$look" -swirl $((i * 40)) -quality 90 "$dest"
done
touch "$out/.done"
echo "$out"
