#!/usr/bin/env bash
# The shape of a picture read from its file's first bytes (ReadPictureShape) against decoding
# it: N pictures (photograph-like, 12 megapixels, as JPEG, PNG and lossy WebP in turn) made
# once into build/bench/header-pictures, each pass timed over all of them by header-bench
# (Release, no sanitizers). Prints both times and their ratio; no target.
#
# Usage: bench/header-bench.sh [N] [rounds]   (default 30 pictures, 5 rounds of the header pass)
. "$(dirname "$0")/bench-env.sh"
count=${1:-30}
rounds=${2:-5}
bench_need convert:imagemagick cwebp:webp

bench_native header-bench
pictures="$root/build/bench/header-pictures"
photo="$pictures/photo"
mkdir -p "$pictures"
[ -f "$photo.png" ] || convert -seed 7 -size 800x600 plasma:fractal -resize '4000x3000!' -attenuate 0.4 \
  +noise Gaussian PNG24:"$photo.png"
[ -f "$photo.jpg" ] || convert "$photo.png" -quality 90 "$photo.jpg"
[ -f "$photo.webp" ] || cwebp -quiet -q 85 "$photo.png" -o "$photo.webp"
files=()
kinds=(jpg png webp)
for ((i = 0; i < count; i++)); do
  files+=("$photo.${kinds[$((i % 3))]}")
done
"$build/bin/header-bench" "$rounds" "${files[@]}"
