#!/usr/bin/env bash
# Makes a small tree of sample pictures for the demo (once; cached under build/samples).
set -euo pipefail
out="${1:-$(cd "$(dirname "$0")/.." && pwd)/build/samples}"
# Some names outside any one 8-bit code page, as downloaded pictures and phone photos have them.
[ -f "$out/.done-unicode" ] && { echo "$out"; exit 0; }
mkdir -p "$out/Ελλάδα"
names=("Picture 1" "Café 2" "東京タワー 3" "Ωmega ☕ 4" "Picture 5" "Ακρόπολη 6")
i=0
for look in "plasma:steelblue-navy" "gradient:orange-purple" "plasma:seagreen-khaki" \
            "radial-gradient:gold-darkred" "plasma:tomato-slateblue" "gradient:skyblue-white"; do
  i=$((i + 1))
  dest="$out/${names[$((i - 1))]}.jpg"; [ $i -gt 4 ] && dest="$out/Ελλάδα/${names[$((i - 1))]}.jpg"
  convert -seed $i -size 1024x768 "$look" -swirl $((i * 40)) -quality 90 "$dest"
done
touch "$out/.done-unicode"
echo "$out"
