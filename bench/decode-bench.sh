#!/usr/bin/env bash
# Decode-to-BMP benchmark: tarvell-decode (the picture control's code path, Release, no
# sanitizers) against the reference decoder `djpeg -bmp`, on the same large pictures.
# Each picture is decoded RUNS times by each program, alternating; the script prints the
# median wall time and peak memory (maximum resident set) of each and their ratios, and
# checks peak memory against 1.5 x BMP size + file size.
#
# Pictures: real photographs from Debian's lomiri-wallpapers-20.04 (installed when missing
# and run as root): a 20-megapixel photograph, the same photograph scaled up to exactly
# 24 megapixels with ImageMagick (there is no larger photograph in the archive's wallpaper
# packages), a 24-megapixel flat-colour picture and a 17-megapixel progressive one.
#
# Usage: bench/decode-bench.sh [runs]   (default 5)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-${BENCH_RUNS:-5}}
build="$root/build/bench"
pictures="$build/pictures"
backgrounds=/usr/share/backgrounds

need=()
[ -x /usr/bin/time ] || need+=(time)
command -v djpeg >/dev/null || need+=(libjpeg-turbo-progs)
[ -f "$backgrounds/Kleiber_by_Lukas_Baubkus.jpg" ] || need+=(lomiri-wallpapers-20.04)
[ -x /usr/bin/convert ] || need+=(imagemagick)
if [ ${#need[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "bench: missing packages: ${need[*]} (run as root to install them)" >&2
    exit 1
  fi
  echo "bench: installing ${need[*]}"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${need[@]}" >/dev/null
fi

echo "bench: building tarvell-decode (Release, no sanitizers) in build/bench"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTARVELL_SANITIZE=OFF -DTARVELL_TESTS=OFF >/dev/null
cmake --build "$build" --target tarvell-decode -j2 >/dev/null
ours="$build/bin/tarvell-decode"

mkdir -p "$pictures"
cp -f "$backgrounds/Kleiber_by_Lukas_Baubkus.jpg" "$pictures/photo-20mp.jpg"
cp -f "$backgrounds/Painting-Colors_by__herobrine7gamer.jpg" "$pictures/flat-24mp.jpg"
cp -f "$backgrounds/Infinite-Sea_by_Aury88.jpg" "$pictures/progressive-17mp.jpg"
if [ ! -f "$pictures/photo-24mp.jpg" ]; then
  /usr/bin/convert "$pictures/photo-20mp.jpg" -resize '6000x4000!' -sampling-factor 2x2 -quality 92 \
    "$pictures/photo-24mp.jpg"
fi

# Output on a memory file system when there is one, so disk speed does not blur the figures.
out=$(mktemp -d /dev/shm/tarvell-bench.XXXXXX 2>/dev/null || mktemp -d "$build/out.XXXXXX")
trap 'rm -rf "$out"' EXIT

measure() {  # prints "wall_seconds kilobytes cpu_seconds" for one run of the command
  local stats="$out/time.txt"
  /usr/bin/time -o "$stats" -f '%e %M %U %S' "$@" >/dev/null 2>&1 || { echo "bench: failed: $*" >&2; exit 1; }
  awk '{print $1, $2, $3 + $4}' "$stats"
}

median() { sort -g | awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2}'; }

printf '\n%-18s %5s %6s %6s | %7s %7s %5s | %7s %7s %5s | %7s %7s %7s %5s\n' picture MP file bmp \
  ours_s djpeg_s ratio ours_cpu djp_cpu ratio ours_MB djpeg_MB budget ratio
status=0
for jpg in "$pictures"/photo-20mp.jpg "$pictures"/photo-24mp.jpg "$pictures"/flat-24mp.jpg \
           "$pictures"/progressive-17mp.jpg; do
  name=$(basename "$jpg" .jpg)
  : >"$out/ours" ; : >"$out/djpeg"
  for ((i = 0; i < runs; i++)); do
    if ((i % 2 == 0)); then
      measure "$ours" "$jpg" "$out/ours.bmp" >>"$out/ours"
      measure djpeg -bmp -outfile "$out/djpeg.bmp" "$jpg" >>"$out/djpeg"
    else
      measure djpeg -bmp -outfile "$out/djpeg.bmp" "$jpg" >>"$out/djpeg"
      measure "$ours" "$jpg" "$out/ours.bmp" >>"$out/ours"
    fi
  done
  if ! cmp -s "$out/ours.bmp" "$out/djpeg.bmp"; then
    echo "bench: $name: tarvell-decode and djpeg wrote different BMP files" >&2
    status=1
  fi
  file_bytes=$(stat -c %s "$jpg")
  bmp_bytes=$(stat -c %s "$out/ours.bmp")
  ours_s=$(cut -d' ' -f1 "$out/ours" | median)
  djpeg_s=$(cut -d' ' -f1 "$out/djpeg" | median)
  ours_kb=$(cut -d' ' -f2 "$out/ours" | median)
  djpeg_kb=$(cut -d' ' -f2 "$out/djpeg" | median)
  ours_cpu=$(cut -d' ' -f3 "$out/ours" | median)
  djpeg_cpu=$(cut -d' ' -f3 "$out/djpeg" | median)
  pixels=$(od -An -t u4 -j 18 -N 8 "$out/ours.bmp" | awk '{print $1 * $2}')
  awk -v n="$name" -v px="$pixels" -v f="$file_bytes" -v b="$bmp_bytes" -v os="$ours_s" -v ds="$djpeg_s" \
      -v oc="$ours_cpu" -v dc="$djpeg_cpu" -v ok="$ours_kb" -v dk="$djpeg_kb" 'BEGIN {
    mb = 1048576; budget = (1.5 * b + f) / mb
    printf "%-18s %5.1f %6.1f %6.1f | %7.3f %7.3f %5.2f | %7.3f %7.3f %5.2f | %7.1f %7.1f %7.1f %5.2f %s\n",
      n, px / 1e6, f / mb, b / mb, os, ds, (ds > 0 ? os / ds : 0), oc, dc, (dc > 0 ? oc / dc : 0),
      ok * 1024 / mb, dk * 1024 / mb, budget, (dk > 0 ? ok / dk : 0), (ok * 1024 / mb <= budget ? "" : "over budget")
  }'
done
echo
echo "runs per program and picture: $runs, medians. MP megapixels; file, bmp and memory in MB (2^20 bytes)."
echo "_s wall seconds, _cpu user+system seconds, _MB peak resident memory; budget = 1.5 x BMP + file."
echo "Each ratio is tarvell-decode / djpeg; the target for time is at most 1.0."
exit $status
