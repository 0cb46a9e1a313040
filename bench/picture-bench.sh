#!/usr/bin/env bash
# PNG and WebP decode-to-BMP benchmark: our full-size decode and our decode for a 1920 x 1080
# desktop under Fill (tarvell-decode: the picture control's code path, Release, no sanitizers)
# against the libraries' own tools: `dwebp -bmp` for WebP and, for PNG (libspng ships no tool),
# libpng's netpbm converter `pngtopnm | ppmtobmp`. Each is run RUNS times, alternating; the
# script prints per picture and program the median wall time, the median peak memory (maximum
# resident set) and the bitmap bytes written, and checks the targets:
#   full size: time <= 1.0 x the tool's, peak <= the tool's + the file's size;
#   scaled:    a clear reduction in peak (<= 0.5 x the tool's).
#
# Pictures, made once with ImageMagick and cwebp into build/bench/pictures: a 21-megapixel
# (6000 x 3500) photograph-like picture (plasma with grain) as PNG, the same with an alpha
# channel as PNG, as lossy WebP (quality 85), as lossy WebP with alpha, and as lossless WebP.
#
# Usage: bench/picture-bench.sh [runs]   (default 5)
. "$(dirname "$0")/bench-env.sh"
runs=${1:-${BENCH_RUNS:-5}}
bench_need /usr/bin/time:time dwebp:webp pngtopnm:netpbm convert:imagemagick

echo "bench: building tarvell-decode (Release, no sanitizers) in build/bench"
bench_native tarvell-decode
ours="$build/bin/tarvell-decode"
pictures="$build/pictures"

mkdir -p "$pictures"
if [ ! -f "$pictures/photo-21mp.png" ]; then
  echo "bench: making the pictures (a minute)"
  convert -seed 7 -size 1200x700 plasma:fractal -resize '6000x3500!' -attenuate 0.4 +noise Gaussian \
    PNG24:"$pictures/photo-21mp.png"
  convert "$pictures/photo-21mp.png" \( -size 3500x6000 gradient: -rotate 90 \) -alpha off -compose CopyOpacity \
    -composite PNG32:"$pictures/alpha-21mp.png"
  cwebp -quiet -q 85 "$pictures/photo-21mp.png" -o "$pictures/photo-21mp.webp"
  cwebp -quiet -q 85 "$pictures/alpha-21mp.png" -o "$pictures/alpha-21mp.webp"
  cwebp -quiet -lossless -z 1 "$pictures/photo-21mp.png" -o "$pictures/lossless-21mp.webp"
fi

bench_scratch

# Appends "wall_seconds kilobytes bytes_written" of one run writing $out/$1.bmp.
measure() {
  local name=$1
  shift
  /usr/bin/time -o "$out/time.txt" -f '%e %M' "$@" >/dev/null 2>&1 || { echo "bench: failed: $*" >&2; exit 1; }
  echo "$(cat "$out/time.txt") $(stat -c %s "$out/$name.bmp")" >>"$out/$name.runs"
}

programs=(tool full scaled)
run_one() {
  case $1 in
    tool)
      case $2 in
        *.webp) measure tool dwebp -quiet -bmp "$2" -o "$out/tool.bmp" ;;
        # The peak of the pipeline is that of its larger process, ppmtobmp, which holds the picture.
        *) measure tool sh -c 'pngtopnm -mix -background=#000000 "$1" | ppmtobmp >"$2"' sh "$2" "$out/tool.bmp" ;;
      esac ;;
    full) measure full "$ours" "$2" "$out/full.bmp" ;;
    scaled) measure scaled "$ours" "$2" "$out/scaled.bmp" --style fill --screen 1920x1080 ;;
  esac
}

printf '\n%-20s %5s %5s | %-6s %7s %5s | %7s %5s | %9s | %s\n' picture MP file program wall_s ratio peak_MB ratio \
  bmp_MB targets
status=0
for picture in "$pictures"/photo-21mp.png "$pictures"/alpha-21mp.png "$pictures"/photo-21mp.webp \
               "$pictures"/alpha-21mp.webp "$pictures"/lossless-21mp.webp; do
  name=$(basename "$picture")
  for p in "${programs[@]}"; do : >"$out/$p.runs"; done
  for ((i = 0; i < runs; i++)); do
    for ((k = 0; k < 3; k++)); do run_one "${programs[$(((i + k) % 3))]}" "$picture"; done
  done
  file_bytes=$(stat -c %s "$picture")
  for p in "${programs[@]}"; do
    echo "$(cut -d' ' -f1 "$out/$p.runs" | median) $(cut -d' ' -f2 "$out/$p.runs" | median) $(cut -d' ' -f3 "$out/$p.runs" | median)"
  done >"$out/medians"
  if ! awk -v n="$name" -v px=21 -v f="$file_bytes" '
    { wall[NR] = $1; kb[NR] = $2; bytes[NR] = $3 }
    END {
      mb = 1048576; split("tool full scaled", label, " ")
      for (i = 1; i <= 3; i++) {
        tr = wall[i] / wall[1]; mr = kb[i] / kb[1]; verdict = ""
        if (i == 2) {
          ok = tr <= 1.0 && kb[2] * 1024 <= kb[1] * 1024 + f
          verdict = sprintf("time<=1.0x %s, peak<=tool+file (%.1f MB) %s", tr <= 1.0 ? "ok" : "MISSED",
                            (kb[1] * 1024 + f) / mb, kb[2] * 1024 <= kb[1] * 1024 + f ? "ok" : "MISSED")
        } else if (i == 3) {
          ok = ok && mr <= 0.5
          verdict = sprintf("peak<=0.5x %s", mr <= 0.5 ? "ok" : "MISSED")
        }
        printf "%-20s %5.1f %5.1f | %-6s %7.3f %5.2f | %7.1f %5.2f | %9.1f | %s\n",
          (i == 1 ? n : ""), px, f / mb, label[i], wall[i], tr, kb[i] * 1024 / mb, mr, bytes[i] / mb, verdict
      }
      exit ok ? 0 : 1
    }' "$out/medians"; then
    status=1
  fi
done
echo
echo "runs per program and picture: $runs, medians. MP megapixels; file, peak and bmp in MB (2^20 bytes)."
echo "tool: dwebp -bmp for WebP, pngtopnm | ppmtobmp for PNG; ratios are to the tool's."
echo "scaled: the decode for a 1920 x 1080 desktop under Fill (--style fill --screen 1920x1080)."
exit $status
