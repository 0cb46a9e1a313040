# What every bench/*.sh starts with; sourced, never run. After it: strict mode, $root (the
# source tree) as the working folder, and these helpers:
#   bench_windows TARGET...  builds the targets in the Windows tree ($TARVELL_WIN_BUILD, else
#                            build/windows, configured with the windows preset when new); sets $build
#   bench_native TARGET...   builds the targets in build/bench (Release, no sanitizers, no tests),
#                            the tree the native benchmarks compare in; sets $build
#   bench_need CMD:PACKAGE.. installs, as root, the Debian packages of the commands (or absolute
#                            paths of files) not found
#   bench_scratch            a scratch folder in $out (memory-backed when there is one), removed at exit
#   median                   the median of the numbers on stdin, one a line
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

bench_windows() {
  build=${TARVELL_WIN_BUILD:-$root/build/windows}
  if [ ! -f "$build/CMakeCache.txt" ]; then cmake --preset windows -B "$build" >/dev/null; fi
  cmake --build "$build" -j2 --target "$@" >/dev/null
}

bench_native() {
  build="$root/build/bench"
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTARVELL_SANITIZE=OFF -DTARVELL_TESTS=OFF >/dev/null
  cmake --build "$build" --target "$@" -j2 >/dev/null
}

bench_need() {
  local need=() item
  for item in "$@"; do
    case ${item%%:*} in
      /*) [ -e "${item%%:*}" ] || need+=("${item#*:}") ;;
      *) command -v "${item%%:*}" >/dev/null || need+=("${item#*:}") ;;
    esac
  done
  [ ${#need[@]} -gt 0 ] || return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "bench: missing packages: ${need[*]} (run as root to install them)" >&2
    exit 1
  fi
  echo "bench: installing ${need[*]}"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${need[@]}" >/dev/null
}

# Output on a memory file system when there is one, so disk speed does not blur the figures.
bench_scratch() {
  out=$(mktemp -d /dev/shm/tarvell-bench.XXXXXX 2>/dev/null || mktemp -d "${build:-$root/build}/out.XXXXXX")
  trap 'rm -rf "$out"' EXIT
}

median() { sort -g | awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2}'; }
