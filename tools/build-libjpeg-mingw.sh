#!/usr/bin/env bash
# Builds a static libjpeg-turbo (with SIMD) for x86_64 Windows from Debian's source package:
# the library alone (no TurboJPEG API, no arithmetic encoder, no tools), each function in its
# own section, so Tarvell.exe's link drops what it never reaches (the compressor stays in the
# library for the tests' picture makers).
# The result is cached under build/deps with a stamp of the configuration it was built with;
# a second run does nothing, a changed configuration builds it again.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
deps="$here/build/deps"
prefix="$deps/libjpeg-turbo-mingw"
options=(-DCMAKE_BUILD_TYPE=Release -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=ON -DREQUIRE_SIMD=ON
         -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF -DWITH_ARITH_ENC=OFF
         "-DCMAKE_C_FLAGS=-ffunction-sections -fdata-sections")
stamp="$prefix/build-config"
config=$(printf '%s\n' "${options[@]}" | sha256sum | cut -d' ' -f1)
[ -f "$prefix/lib/libjpeg.a" ] && [ -f "$prefix/include/jpeglib.h" ] && [ "$(cat "$stamp" 2>/dev/null)" = "$config" ] &&
  exit 0

# Source packages need deb-src lines; add them in a file of our own, mirroring the binary sources.
srcfile=/etc/apt/sources.list.d/tarvell-deb-src.sources
if [ ! -f "$srcfile" ]; then
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed -e 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources > "$srcfile"
  else
    grep -h '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' > /etc/apt/sources.list.d/tarvell-deb-src.list
  fi
  apt-get update -qq
fi

mkdir -p "$deps/src"
cd "$deps/src"
srcdir=$(find . -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
if [ -z "$srcdir" ]; then
  apt-get source -qq libjpeg-turbo >/dev/null 2>&1 || apt-get source libjpeg-turbo
  srcdir=$(find . -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
fi
[ -n "$srcdir" ] || { echo "build-libjpeg-mingw: no libjpeg-turbo source" >&2; exit 1; }

rm -rf "$deps/libjpeg-turbo-build" "$prefix"
cmake -S "$srcdir" -B "$deps/libjpeg-turbo-build" -G "Unix Makefiles" \
  -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DCMAKE_ASM_NASM_COMPILER=nasm "${options[@]}" >/dev/null
cmake --build "$deps/libjpeg-turbo-build" --target jpeg-static -j"$(nproc)" >/dev/null
# Only the library and its headers: the tools and tests are not built.
mkdir -p "$prefix/lib" "$prefix/include"
cp "$deps/libjpeg-turbo-build/libjpeg.a" "$prefix/lib/"
cp "$srcdir"/{jpeglib.h,jmorecfg.h,jerror.h} "$deps/libjpeg-turbo-build/jconfig.h" "$prefix/include/"
rm -rf "$deps/libjpeg-turbo-build"
echo "$config" >"$stamp"
echo "build-libjpeg-mingw: installed into $prefix"
