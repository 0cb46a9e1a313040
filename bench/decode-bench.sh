#!/usr/bin/env bash
# Decode-to-BMP benchmark: the reference decoder `djpeg -bmp` at full size, our full-size
# change (tarvell-decode: the picture control's code path, Release, no sanitizers) and our
# change scaled for a 1920 x 1080 desktop under Fill, side by side on the same pictures.
# Each is run RUNS times, alternating; the script prints per picture and program the median
# wall time, the median peak memory (maximum resident set) and the bitmap bytes written, and
# checks the targets:
#   scaled:    time <= 0.8 x djpeg's, peak <= 0.35 x djpeg's, bytes <= 1/4 of djpeg's;
#   full size: time <= 1.0 x djpeg's, peak <= djpeg's + the file's size.
#
# Pictures, from Debian's lomiri-wallpapers-20.04 (the largest real wallpapers the archive's
# packages ship; installed when missing, as root): the largest file (a 16.8-megapixel
# progressive picture) and a baseline re-encoding of it by jpegtran, the largest photograph
# (20 megapixels), that photograph scaled up to a 24-megapixel photograph with ImageMagick,
# and a 24-megapixel flat-colour picture.
#
# Usage: bench/decode-bench.sh [runs]   (default 5)
. "$(dirname "$0")/bench-env.sh"
runs=${1:-${BENCH_RUNS:-5}}
backgrounds=/usr/share/backgrounds
bench_need /usr/bin/time:time djpeg:libjpeg-turbo-progs convert:imagemagick \
  "$backgrounds/Kleiber_by_Lukas_Baubkus.jpg:lomiri-wallpapers-20.04"

echo "bench: building tarvell-decode (Release, no sanitizers) in build/bench"
bench_native tarvell-decode
ours="$build/bin/tarvell-decode"
pictures="$build/pictures"

mkdir -p "$pictures"
cp -f "$backgrounds/Infinite-Sea_by_Aury88.jpg" "$pictures/wallpaper-progressive.jpg"
[ -f "$pictures/wallpaper-baseline.jpg" ] ||
  jpegtran -copy all -outfile "$pictures/wallpaper-baseline.jpg" "$pictures/wallpaper-progressive.jpg"
cp -f "$backgrounds/Kleiber_by_Lukas_Baubkus.jpg" "$pictures/photo-20mp.jpg"
cp -f "$backgrounds/Painting-Colors_by__herobrine7gamer.jpg" "$pictures/flat-24mp.jpg"
[ -f "$pictures/photo-24mp.jpg" ] ||
  convert "$pictures/photo-20mp.jpg" -resize '6000x4000!' -sampling-factor 2x2 -quality 92 "$pictures/photo-24mp.jpg"

bench_scratch

# Appends "wall_seconds kilobytes bytes_written" of one run of the program writing $out/$1.bmp.
measure() {
  local name=$1
  shift
  /usr/bin/time -o "$out/time.txt" -f '%e %M' "$@" >/dev/null 2>&1 || { echo "bench: failed: $*" >&2; exit 1; }
  echo "$(cat "$out/time.txt") $(stat -c %s "$out/$name.bmp")" >>"$out/$name.runs"
}

programs=(djpeg full scaled)
run_one() {
  case $1 in
    djpeg) measure djpeg djpeg -bmp -outfile "$out/djpeg.bmp" "$2" ;;
    full) measure full "$ours" "$2" "$out/full.bmp" ;;
    scaled) measure scaled "$ours" "$2" "$out/scaled.bmp" --style fill --screen 1920x1080 ;;
  esac
}

printf '\n%-22s %5s %5s | %-6s %7s %5s | %7s %5s | %9s %5s | %s\n' picture MP file program wall_s ratio \
  peak_MB ratio bmp_MB ratio targets
status=0
for jpg in "$pictures"/wallpaper-progressive.jpg "$pictures"/wallpaper-baseline.jpg "$pictures"/photo-20mp.jpg \
           "$pictures"/photo-24mp.jpg "$pictures"/flat-24mp.jpg; do
  name=$(basename "$jpg" .jpg)
  for p in "${programs[@]}"; do : >"$out/$p.runs"; done
  for ((i = 0; i < runs; i++)); do
    # A different order each round, so no program always runs on a warm or a cold cache.
    for ((k = 0; k < 3; k++)); do run_one "${programs[$(((i + k) % 3))]}" "$jpg"; done
  done
  if ! cmp -s "$out/full.bmp" "$out/djpeg.bmp"; then
    echo "bench: $name: our full-size BMP differs from djpeg's (EXIF orientation?)" >&2
  fi
  file_bytes=$(stat -c %s "$jpg")
  pixels=$(identify -format '%w %h' "$jpg" | awk '{print $1 * $2}')
  for p in "${programs[@]}"; do
    echo "$(cut -d' ' -f1 "$out/$p.runs" | median) $(cut -d' ' -f2 "$out/$p.runs" | median) $(cut -d' ' -f3 "$out/$p.runs" | median)"
  done >"$out/medians"
  if ! awk -v n="$name" -v px="$pixels" -v f="$file_bytes" '
    { wall[NR] = $1; kb[NR] = $2; bytes[NR] = $3 }
    END {
      mb = 1048576; split("djpeg full scaled", label, " ")
      for (i = 1; i <= 3; i++) {
        tr = wall[i] / wall[1]; mr = kb[i] / kb[1]; br = bytes[i] / bytes[1]; verdict = ""
        if (i == 2) {
          ok = tr <= 1.0 && kb[2] * 1024 <= kb[1] * 1024 + f
          verdict = sprintf("time<=1.0x %s, peak<=djpeg+file (%.1f MB) %s", tr <= 1.0 ? "ok" : "MISSED",
                            (kb[1] * 1024 + f) / mb, kb[2] * 1024 <= kb[1] * 1024 + f ? "ok" : "MISSED")
        } else if (i == 3) {
          ok = ok && tr <= 0.8 && mr <= 0.35 && br <= 0.25
          verdict = sprintf("time<=0.8x %s, peak<=0.35x %s, bytes<=0.25x %s", tr <= 0.8 ? "ok" : "MISSED",
                            mr <= 0.35 ? "ok" : "MISSED", br <= 0.25 ? "ok" : "MISSED")
        }
        printf "%-22s %5.1f %5.1f | %-6s %7.3f %5.2f | %7.1f %5.2f | %9.1f %5.3f | %s\n",
          (i == 1 ? n : ""), px / 1e6, f / mb, label[i], wall[i], tr, kb[i] * 1024 / mb, mr, bytes[i] / mb, br, verdict
      }
      exit ok ? 0 : 1
    }' "$out/medians"; then
    status=1
  fi
done
echo
echo "runs per program and picture: $runs, medians. MP megapixels; file, peak and bmp in MB (2^20 bytes)."
echo "wall_s wall seconds; peak_MB peak resident memory; bmp_MB bitmap bytes written. Ratios are to djpeg's."
echo "scaled: the change for a 1920 x 1080 desktop under Fill (--style fill --screen 1920x1080)."
exit $status
