#!/usr/bin/env bash
# Builds a static libjpeg-turbo (with SIMD) for x86_64 Windows from Debian's source package.
# The result is cached under build/deps; a second run does nothing.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
deps="$here/build/deps"
prefix="$deps/libjpeg-turbo-mingw"
[ -f "$prefix/lib/libjpeg.a" ] && [ -f "$prefix/include/jpeglib.h" ] && exit 0

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

rm -rf "$deps/libjpeg-turbo-build"
cmake -S "$srcdir" -B "$deps/libjpeg-turbo-build" -G "Unix Makefiles" \
  -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=ON -DWITH_TURBOJPEG=OFF \
  -DWITH_JPEG8=OFF -DREQUIRE_SIMD=ON -DCMAKE_ASM_NASM_COMPILER=nasm >/dev/null
cmake --build "$deps/libjpeg-turbo-build" -j"$(nproc)" >/dev/null
cmake --install "$deps/libjpeg-turbo-build" >/dev/null
rm -rf "$deps/libjpeg-turbo-build"
echo "build-libjpeg-mingw: installed into $prefix"
