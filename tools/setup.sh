#!/usr/bin/env bash
# One-time machine set-up for building and testing Tarvell on Debian (run as root).
# Idempotent and quick when everything is already there.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

need=()
for pkg in cmake g++ g++-mingw-w64-x86-64 wine64 wine xvfb nasm libjpeg62-turbo-dev \
           libjpeg-turbo-progs clang libclang-rt-14-dev imagemagick x11-utils dpkg-dev \
           xauth python3; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || need+=("$pkg")
done
if [ ${#need[@]} -gt 0 ]; then
  echo "setup: installing ${need[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${need[@]}" >/dev/null
fi

# libjpeg-turbo for the Windows build, from Debian's own source package.
"$here/tools/build-libjpeg-mingw.sh"
