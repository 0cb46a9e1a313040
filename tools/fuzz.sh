#!/usr/bin/env bash
# Builds the libFuzzer targets over the JPEG, PNG and WebP decode paths with clang (address
# and undefined behaviour sanitizers, against the system libjpeg, libspng and libwebp) into
# build/fuzz/, and runs each in turn: the JPEG one seeded with a copy of the shared JPEG
# corpus, the PNG one with libpng's PngSuite, the WebP one with libwebp's test picture and
# WebP files made from PngSuite; the header one (ReadPictureShape) with all three; then the one
# over the shuffle file's reader, seeded with a few files it writes. Exits non-zero on any finding.
# Usage: tools/fuzz.sh [seconds]   (for each target; default 60; FUZZ_SECONDS works too)
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
sources=(picture/AlphaBlend.cpp picture/BmpCanvas.cpp picture/BoxReducer.cpp jpeg/DecodePicture.cpp picture/DecodePng.cpp
         picture/DecodeWebp.cpp picture/PictureFormat.cpp picture/PictureHeader.cpp picture/RowPlacement.cpp picture/BMPLayout.cpp picture/BMPReader.cpp jpeg/BMPWriter.cpp jpeg/DecodeJpeg.cpp picture/ExifOrientation.cpp jpeg/JpgImg.cpp
         picture/Picture.cpp jpeg/RaisingErrorManager.cpp picture/ScaleChoice.cpp jpeg/SkipCommentMarker.cpp
         jpeg/StreamSource.cpp base/ExclusiveFile.cpp base/ExclusiveFile_posix.cpp base/NativePath.cpp
         base/PathText.cpp base/Utf8.cpp base/CaseFold.cpp)
objects=()
for src in "${sources[@]}"; do
  obj="$out/obj/$(basename "$src" .cpp).o"
  if [ ! -f "$obj" ] || [ "$root/$src" -nt "$obj" ] || [ -n "$(find "$root/jpeg" "$root/picture" "$root/base" -name '*.h' -newer "$obj")" ]; then
    "$cxx" "${flags[@]}" -fsanitize=fuzzer-no-link -c "$root/$src" -o "$obj"
  fi
  objects+=("$obj")
done
"$cxx" "${flags[@]}" -fsanitize=fuzzer "$root/tests/fuzz/DecodeFuzz.cpp" "${objects[@]}" -ljpeg \
  -lspng -lz -lwebpdemux -lwebp -o "$out/decode-fuzz"
for target in png webp header; do
  name=$(tr '[:lower:]' '[:upper:]' <<<"${target:0:1}")${target:1}
  "$cxx" "${flags[@]}" -fsanitize=fuzzer "$root/tests/fuzz/${name}Fuzz.cpp" "${objects[@]}" -ljpeg -lspng \
    -lz -lwebpdemux -lwebp -o "$out/$target-fuzz"
done
"$cxx" "${flags[@]}" -fsanitize=fuzzer "$root/tests/fuzz/ShuffleFuzz.cpp" "$root/slideshow/ShuffleFile.cpp" \
  "$out/obj/CaseFold.o" "$out/obj/Utf8.o" -o "$out/shuffle-fuzz"

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

# PNG and WebP seeds from the corpora tools/setup.sh unpacks; WebP ones made from PngSuite too.
mkdir -p "$out/png-corpus" "$out/webp-corpus" "$out/header-corpus"
rm -rf "$out/png-seeds" "$out/webp-seeds"
mkdir -p "$out/png-seeds" "$out/webp-seeds"
suite=$(find "$root/build/deps/src" -maxdepth 3 -type d -name pngsuite 2>/dev/null | head -n 1)
if [ -n "$suite" ]; then
  cp "$suite"/*.png "$out/png-seeds/"
  for f in basn2c08 basn6a08 basi3p02 tbrn2c08; do
    if [ -f "$suite/$f.png" ]; then
      cwebp -quiet -q 60 "$suite/$f.png" -o "$out/webp-seeds/$f-lossy.webp" || true
      cwebp -quiet -lossless "$suite/$f.png" -o "$out/webp-seeds/$f-lossless.webp" || true
    fi
  done
else
  echo "fuzz: no PngSuite under build/deps/src (tools/setup.sh unpacks it)" >&2
fi
find "$root/build/deps/src" -path '*libwebp*' -name '*.webp' -exec cp {} "$out/webp-seeds/" \; 2>/dev/null || true

# Shuffle files: empty, and a few keys with some shown.
mkdir -p "$out/shuffle-corpus" "$out/shuffle-seeds"
python3 - "$out/shuffle-seeds" <<'PY'
import struct, sys
for count, shown in ((0, 0), (3, 1), (5, 5)):
    data = b'TVSH' + struct.pack('<IQQ', 1, count, shown) + b''.join(struct.pack('<I', 7919 * k) for k in range(count))
    open('%s/keys-%d-%d' % (sys.argv[1], count, shown), 'wb').write(data)
PY

cd "$out"
for target in decode png webp header shuffle; do
  case $target in
    decode) dirs=("$out/corpus" "$seeds") ;;
    header) dirs=("$out/header-corpus" "$seeds" "$out/png-seeds" "$out/webp-seeds") ;;
    *) dirs=("$out/$target-corpus" "$out/$target-seeds") ;;
  esac
  echo "fuzz: running $target-fuzz for ${seconds}s"
  ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1} \
    ./$target-fuzz -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$out/artifacts/$target-" "${dirs[@]}"
done
