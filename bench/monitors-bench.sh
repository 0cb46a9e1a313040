#!/usr/bin/env bash
# A picture for each monitor: two 24-megapixel photographs onto a 3840 x 2160 and a 1920 x 1080
# monitor side by side (Fill), against the reference work of two `djpeg -scale` decodes at the
# scales chosen (6/8 and 3/8 for 6000 x 4000) plus one write of a file of the composed size.
# Prints the median wall time and peak memory (maximum resident set) of each and the targets:
#   time <= 1.3 x the reference's sum;
#   peak <= the composed bitmap + the larger scaled decode + the larger file, + 10 %.
# Pictures: build/bench/pictures/photo-24mp.jpg as bench/decode-bench.sh makes it (else a
# synthetic 6000 x 4000 picture of noise over a gradient), and a mirrored copy of it.
#
# Usage: bench/monitors-bench.sh [runs]   (default 5)
. "$(dirname "$0")/bench-env.sh"
runs=${1:-${BENCH_RUNS:-5}}
pictures="$root/build/bench/pictures"
mkdir -p "$pictures"
[ -f "$pictures/photo-24mp.jpg" ] ||
  convert -size 6000x4000 gradient:navy-orange -attenuate 0.4 +noise Gaussian -sampling-factor 2x2 -quality 92 \
    "$pictures/photo-24mp.jpg"
[ -f "$pictures/photo-24mp-flop.jpg" ] || convert "$pictures/photo-24mp.jpg" -flop -quality 92 "$pictures/photo-24mp-flop.jpg"

bench_native monitors-bench
bench_scratch

# Prints "seconds kilobytes" of one command.
measure() { /usr/bin/time -f '%e %M' -o "$out/time" "$@" >/dev/null; cat "$out/time"; }

a="$pictures/photo-24mp.jpg"; b="$pictures/photo-24mp-flop.jpg"
composed=$(( 54 + 5760 * 2160 * 3 ))
ours_t=(); ours_m=(); ref_t=(); ref_m=()
for _ in $(seq "$runs"); do
  read -r t m < <(measure "$build/bin/monitors-bench" "$a" "$b" "$out/ours.bmp"); ours_t+=("$t"); ours_m+=("$m")
  read -r t1 m1 < <(measure djpeg -scale 6/8 -bmp -outfile "$out/a.bmp" "$a")
  read -r t2 m2 < <(measure djpeg -scale 3/8 -bmp -outfile "$out/b.bmp" "$b")
  read -r t3 m3 < <(measure dd if=/dev/zero of="$out/c.bmp" bs=1M count=$(( composed / 1048576 + 1 )) status=none)
  ref_t+=("$(echo "$t1 + $t2 + $t3" | bc)"); ref_m+=("$(( m1 > m2 ? (m1 > m3 ? m1 : m3) : (m2 > m3 ? m2 : m3) ))")
done
ot=$(printf '%s\n' "${ours_t[@]}" | median); om=$(printf '%s\n' "${ours_m[@]}" | median)
rt=$(printf '%s\n' "${ref_t[@]}" | median); rm_=$(printf '%s\n' "${ref_m[@]}" | median)
larger=$(( 54 + 4500 * 3000 * 3 ))
file=$(stat -c %s "$a" "$b" | sort -n | tail -n 1)
budget_kb=$(( (composed + larger + file) * 11 / 10 / 1024 ))
echo "monitors-bench: ours ${ot} s, ${om} KB peak; reference ${rt} s, ${rm_} KB peak"
echo "  time target: <= $(echo "$rt * 1.3" | bc) s; memory target: <= ${budget_kb} KB"
