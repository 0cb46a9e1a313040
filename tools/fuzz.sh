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
sources=(jpeg/BMPLayout.cpp jpeg/BMPWriter.cpp jpeg/DecodeJpeg.cpp jpeg/ExifOrientation.cpp jpeg/JpgImg.cpp
         jpeg/Picture.cpp jpeg/RaisingErrorManager.cpp jpeg/ScaleChoice.cpp jpeg/SkipCommentMarker.cpp
         jpeg/StreamSource.cpp jpeg/ExclusiveFile.cpp jpeg/ExclusiveFile_posix.cpp)
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
else
  echo "fuzz: no seed corpus at $corpus_src" >&2
fi

echo "fuzz: running decode-fuzz for ${seconds}s"
cd "$out"
ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1} \
  ./decode-fuzz -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$out/artifacts/" "$out/corpus" "$seeds"
