#!/usr/bin/env bash
# Builds static zlib, libspng and libwebp (with its demuxer; no tools) for x86_64 Windows from
# Debian's source packages, with their Debian patches applied (libwebp's carry its security
# fixes). Each function is put in its own section, so Tarvell.exe's link drops what it never
# reaches; the encoders stay in the libraries for the tests' picture makers.
# Each result is cached under build/deps/<name>-mingw with a stamp of the configuration it
# was built with; a second run does nothing, a changed configuration builds that one again.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
deps="$here/build/deps"
toolchain="$here/cmake/mingw-w64-x86_64.cmake"
host=x86_64-w64-mingw32
jobs=$(( $(nproc) < 2 ? $(nproc) : 2 ))

cflags="-O2 -ffunction-sections -fdata-sections"
webp_options=(-DCMAKE_BUILD_TYPE=Release "-DCMAKE_C_FLAGS=-ffunction-sections -fdata-sections"
              -DBUILD_SHARED_LIBS=OFF -DWEBP_USE_THREAD=OFF)
zlib="$deps/zlib-mingw"
spng="$deps/libspng-mingw"
webp="$deps/libwebp-mingw"
hash() { printf '%s\n' "$@" | sha256sum | cut -d' ' -f1; }
zlib_config=$(hash "$cflags")
spng_config=$(hash "$cflags -DSPNG_STATIC")
webp_config=$(hash "${webp_options[@]}")
# True when library $2 under $1 is there and was built with configuration $3.
built() { [ -f "$1/lib/$2" ] && [ "$(cat "$1/build-config" 2>/dev/null)" = "$3" ]; }
if built "$zlib" libz.a "$zlib_config" && built "$spng" libspng.a "$spng_config" &&
   built "$webp" libwebpdemux.a "$webp_config"; then
  exit 0
fi

# Source packages need deb-src lines; the libjpeg script adds them.
"$here/tools/build-libjpeg-mingw.sh"

mkdir -p "$deps/src"
cd "$deps/src"
# The source of package $1, unpacked with its patches; the candidate's version first, then
# any version apt knows (a security pool may list a source it no longer serves).
source_dir() {
  local name=$1 dir
  dir=$(find . -maxdepth 1 -type d -name "$name-[0-9]*" | sort | tail -n 1)
  if [ -z "$dir" ]; then
    if ! apt-get source -qq "$name" >/dev/null 2>&1; then
      local v
      for v in $(apt-cache showsrc "$name" | sed -n 's/^Version: //p'); do
        apt-get source -qq "$name=$v" >/dev/null 2>&1 && break
      done
    fi
    dir=$(find . -maxdepth 1 -type d -name "$name-[0-9]*" | sort | tail -n 1)
  fi
  [ -n "$dir" ] || { echo "build-image-libs-mingw: no $name source" >&2; exit 1; }
  echo "$deps/src/${dir#./}"
}

if ! built "$zlib" libz.a "$zlib_config"; then
  src=$(source_dir zlib)
  # Debian's zlib source has no Windows makefile: the library is its fifteen C files.
  rm -rf "$deps/zlib-build" "$zlib" && mkdir -p "$deps/zlib-build"
  for c in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast inflate inftrees \
           trees uncompr zutil; do
    # shellcheck disable=SC2086 # the flags are words
    $host-gcc $cflags -c "$src/$c.c" -o "$deps/zlib-build/$c.o"
  done
  $host-ar rcs "$deps/zlib-build/libz.a" "$deps/zlib-build"/*.o
  mkdir -p "$zlib/lib" "$zlib/include"
  cp "$deps/zlib-build/libz.a" "$zlib/lib/"
  cp "$src/zlib.h" "$src/zconf.h" "$zlib/include/"
  rm -rf "$deps/zlib-build"
  echo "$zlib_config" >"$zlib/build-config"
  echo "build-image-libs-mingw: installed zlib into $zlib"
fi

if ! built "$spng" libspng.a "$spng_config"; then
  src=$(source_dir libspng)
  # One C file; its CMake file cannot build the static library alone.
  rm -rf "$spng" && mkdir -p "$spng/lib" "$spng/include"
  # shellcheck disable=SC2086
  $host-gcc $cflags -DSPNG_STATIC -I"$zlib/include" -c "$src/spng/spng.c" -o "$spng/lib/spng.o"
  $host-ar rcs "$spng/lib/libspng.a" "$spng/lib/spng.o"
  rm "$spng/lib/spng.o"
  cp "$src/spng/spng.h" "$spng/include/"
  echo "$spng_config" >"$spng/build-config"
  echo "build-image-libs-mingw: installed libspng into $spng"
fi

if ! built "$webp" libwebpdemux.a "$webp_config"; then
  src=$(source_dir libwebp)
  # Only the security-updated source (1.2.4-0.2+deb12u1 or later) carries this fix; unpacked
  # sources have their patches applied.
  if ! grep -q CVE-2023-4863 "$src/.pc/applied-patches" 2>/dev/null; then
    echo "build-image-libs-mingw: $src lacks the CVE-2023-4863 fix" >&2
    exit 1
  fi
  rm -rf "$deps/libwebp-build" "$webp"
  cmake -S "$src" -B "$deps/libwebp-build" -G "Unix Makefiles" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_INSTALL_PREFIX="$webp" \
    -DWEBP_BUILD_ANIM_UTILS=OFF -DWEBP_BUILD_CWEBP=OFF -DWEBP_BUILD_DWEBP=OFF -DWEBP_BUILD_GIF2WEBP=OFF \
    -DWEBP_BUILD_IMG2WEBP=OFF -DWEBP_BUILD_VWEBP=OFF -DWEBP_BUILD_WEBPINFO=OFF -DWEBP_BUILD_WEBPMUX=OFF \
    -DWEBP_BUILD_LIBWEBPMUX=OFF -DWEBP_BUILD_EXTRAS=OFF "${webp_options[@]}" >/dev/null
  cmake --build "$deps/libwebp-build" -j"$jobs" >/dev/null
  cmake --install "$deps/libwebp-build" >/dev/null
  rm -rf "$deps/libwebp-build"
  echo "$webp_config" >"$webp/build-config"
  echo "build-image-libs-mingw: installed libwebp into $webp"
fi
