#!/usr/bin/env bash
# Builds the libFuzzer target over the JPEG decode path with clang (address and undefined
# behaviour sanitizers, against the system libjpeg) into build/fuzz/, and runs it seeded
# with a copy of the shared JPEG corpus. Exits non-zero on any finding.
# Usage: tools/fuzz.sh [seconds]   (default 60; FUZZ_SECONDS works too)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-${FUZZ_SECONDS:-60}}
out="$root/build/fuzz"
corpus_src="$root/../shared/jpeg-corpus"
[ -d "$corpus_src" ] || corpus_src="$root/../../shared/jpeg-corpus"  # from a worktree
mkdir -p "$out/obj" "$out/corpus" "$out/artifacts"

cxx=${CXX_FUZZ:-clang++}
flags=(-std=c++20 -O1 -g -fno-omit-frame-pointer -I"$root"
       -fsanitize=address,undefined -fno-sanitize-recover=all)
sources=(jpeg/BMPLayout.cpp jpeg/BMPReader.cpp jpeg/BMPWriter.cpp jpeg/DecodeJpeg.cpp jpeg/ExifOrientation.cpp jpeg/JpgImg.cpp
         jpeg/Picture.cpp jpeg/RaisingErrorManager.cpp jpeg/ScaleChoice.cpp jpeg/SkipCommentMarker.cpp
         jpeg/StreamSource.cpp jpeg/ExclusiveFile.cpp jpeg/ExclusiveFile_posix.cpp base/NativePath.cpp
         base/PathText.cpp base/Utf8.cpp base/CaseFold.cpp)
objects=()
for src in "${sources[@]}"; do
  obj="$out/obj/$(basename "$src" .cpp).o"
  if [ ! -f "$obj" ] || [ "$root/$src" -nt "$obj" ] || [ -n "$(find "$root/jpeg" -name '*.h' -newer "$obj")" ]; then
    "$cxx" "${flags[@]}" -fsanitize=fuzzer-no-link -c "$root/$src" -o "$obj"
  fi
  objects+=("$obj")
done
"$cxx" "${flags[@]}" -fsanitize=fuzzer "$root/tests/fuzz/DecodeFuzz.cpp" "${objects[@]}" -ljpeg \
  -o "$out/decode-fuzz"

# The shared corpus is read-only: seed a private copy, flattened.
seeds="$out/seeds"
rm -rf "$seeds"
mkdir -p "$seeds"
if [ -d "$corpus_src" ]; then
  find "$corpus_src" -type f ! -name '*.md' -print0 |
    while IFS= read -r -d '' f; do cp "$f" "$seeds/$(echo "${f#"$corpus_src"/}" | tr '/' '_')"; done
  # Seeds that carry an EXIF block, so that turned decodes are explored from the start.
  first=$(find "$corpus_src/8bit" -type f -name 'testorig_vflip*.jpg' | sort | head -n 1)
  if [ -n "$first" ]; then
    python3 - "$first" "$seeds" <<'PY'
import sys
jpeg = open(sys.argv[1], 'rb').read()
for o in (3, 6, 8):
    for order in (b'II', b'MM'):
        le = order == b'II'
        u16 = lambda v: v.to_bytes(2, 'little' if le else 'big')
        u32 = lambda v: v.to_bytes(4, 'little' if le else 'big')
        block = b'Exif\0\0' + order + u16(42) + u32(8) + u16(1) + u16(0x0112) + u16(3) + u32(1) + u16(o) + u16(0) + u32(0)
        segment = b'\xff\xe1' + (len(block) + 2).to_bytes(2, 'big') + block
        open('%s/exif-%d-%s.jpg' % (sys.argv[2], o, order.decode()), 'wb').write(jpeg[:2] + segment + jpeg[2:])
PY
  fi
else
  echo "fuzz: no seed corpus at $corpus_src" >&2
fi

echo "fuzz: running decode-fuzz for ${seconds}s"
cd "$out"
ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1} \
  ./decode-fuzz -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$out/artifacts/" "$out/corpus" "$seeds"
