#!/usr/bin/env bash
# Runs one Windows program under Wine in a fresh throwaway prefix inside a virtual desktop,
# and exits with the program's own exit code. Used by ctest for every Windows test.
# TARVELL_KEEP_PREFIX=1 keeps the prefix for inspection.
set -uo pipefail
. "$(dirname "$0")/wine-env.sh"
tarvell_ensure_display
tarvell_ensure_template
export WINEPREFIX; WINEPREFIX=$(tarvell_fresh_prefix)
# Wine sends deleted files to $XDG_DATA_HOME/Trash: keep them in the throwaway prefix.
export XDG_DATA_HOME="$WINEPREFIX/xdg-data"
mkdir -p "$XDG_DATA_HOME"
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  [ "${TARVELL_KEEP_PREFIX:-0}" = 1 ] || rm -rf "$WINEPREFIX"
  [ -n "$tarvell_xvfb_pid" ] && kill "$tarvell_xvfb_pid" 2>/dev/null
}
trap cleanup EXIT
wine "$@"
rc=$?
exit $rc
