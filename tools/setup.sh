#!/usr/bin/env bash
# One-time machine set-up for building and testing Tarvell on Debian (run as root).
# Idempotent and quick when everything is already there.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

need=()
for pkg in cmake g++ g++-mingw-w64-x86-64 wine64 wine xvfb nasm libjpeg62-turbo-dev \
           libjpeg-turbo-progs clang libclang-rt-14-dev imagemagick x11-utils dpkg-dev \
           xauth python3 zlib1g-dev libspng-dev libwebp-dev libstb-dev webp libpng-tools; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || need+=("$pkg")
done
# The X server for the two-monitor case: without its recommends (logind, Mesa), which it does
# not need with the dummy driver.
lean=()
for pkg in xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || lean+=("$pkg")
done
if [ ${#need[@]} -gt 0 ] || [ ${#lean[@]} -gt 0 ]; then
  echo "setup: installing ${need[*]} ${lean[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  [ ${#need[@]} -eq 0 ] || apt-get install -y -qq "${need[@]}" >/dev/null
  [ ${#lean[@]} -eq 0 ] || apt-get install -y -qq --no-install-recommends "${lean[@]}" >/dev/null
fi

# libjpeg-turbo, zlib, libspng and libwebp for the Windows build, from Debian's own source packages.
"$here/tools/build-libjpeg-mingw.sh"
"$here/tools/build-image-libs-mingw.sh"

# libpng's PngSuite and libwebp's test pictures: regression corpora for the native tests.
if ! find "$here/build/deps/src" -maxdepth 3 -type d -name pngsuite 2>/dev/null | grep -q .; then
  # The security pool may list a source it no longer serves: then any other version apt knows.
  (cd "$here/build/deps/src" && for v in "" $(apt-cache showsrc libpng1.6 | sed -n 's/^Version: /=/p'); do
     apt-get source -qq "libpng1.6$v" >/dev/null 2>&1 && break
   done)
fi

# libwebp before 1.2.4-0.2+deb12u1 overflows a heap buffer on crafted lossless pictures.
webp=$(dpkg-query -W -f='${Version}' libwebp-dev)
if dpkg --compare-versions "$webp" lt 1.2.4-0.2+deb12u1; then
  echo "setup: libwebp-dev $webp is older than the security update 1.2.4-0.2+deb12u1" >&2
  exit 1
fi
