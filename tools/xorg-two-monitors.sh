#!/usr/bin/env bash
# Runs one Windows program under Wine on an X server with two monitors side by side, and exits
# with the program's own exit code. Wine's virtual desktop is always one monitor, so the program
# runs in a fresh throwaway prefix without it, straight on an Xorg of its own whose dummy driver
# has two outputs: 1920x1080 (primary) and 1280x1024 right of it, which Wine reads through
# XRandR. TARVELL_TWO_MONITORS tells the program what it got: "1920x1080+1280x1024", or why there
# is no such server (then the program runs on the usual display and its two-monitor cases skip).
# Needs root (as CI and tools/setup.sh run) for Xorg to take a configuration from a temp folder.
# TARVELL_KEEP_PREFIX=1 keeps the prefix and Xorg's log for inspection.
set -uo pipefail
. "$(dirname "$0")/wine-env.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/tarvell-xorg.XXXXXX")
xorg_pid=""
prefix=""
cleanup() {
  [ -n "$prefix" ] && WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1
  [ -n "$xorg_pid" ] && kill "$xorg_pid" 2>/dev/null && wait "$xorg_pid" 2>/dev/null
  if [ "${TARVELL_KEEP_PREFIX:-0}" != 1 ]; then
    [ -n "$prefix" ] && rm -rf "$prefix"
    rm -rf "$work"
  fi
  [ -n "${tarvell_xvfb_pid:-}" ] && kill "$tarvell_xvfb_pid" 2>/dev/null
}
trap cleanup EXIT

# The dummy driver lists 16 outputs, the first connected; a second comes up once it has a mode.
# The memory must hold the whole 3200x1080 screen at 32 bits a pixel.
start_xorg() {
  command -v Xorg >/dev/null && command -v xrandr >/dev/null || { why="Xorg or xrandr is not installed"; return 1; }
  [ -f /usr/lib/xorg/modules/drivers/dummy_drv.so ] || { why="Xorg's dummy driver is not installed"; return 1; }
  [ "$(id -u)" = 0 ] || { why="Xorg takes a configuration from a temp folder only for root"; return 1; }
  mkdir -p "$work/conf.d"
  cat >"$work/xorg.conf" <<'EOF'
Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "DontVTSwitch" "true"
EndSection
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 65536
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual 3200 1080
  EndSubSection
EndSection
EOF
  local fifo="$work/displayfd"; mkfifo "$fifo"
  Xorg -displayfd 3 -config "$work/xorg.conf" -configdir "$work/conf.d" -logfile "$work/Xorg.log" \
    -nolisten tcp -noreset -novtswitch -sharevts 3>"$fifo" >"$work/Xorg.out" 2>&1 &
  xorg_pid=$!
  local num=""
  # Xorg closes the pipe without a number when it fails.
  read -r -t 30 num <"$fifo"
  if [ -z "$num" ]; then
    why="Xorg did not start: $(cat "$work/Xorg.log" "$work/Xorg.out" 2>/dev/null | grep -m1 '(EE) [^ ]')"
    return 1
  fi
  local display=":$num"
  DISPLAY=$display xrandr --addmode DUMMY1 1280x1024 &&
    DISPLAY=$display xrandr --output DUMMY0 --mode 1920x1080 --pos 0x0 --primary \
      --output DUMMY1 --mode 1280x1024 --pos 1920x0 || { why="xrandr could not set up two outputs"; return 1; }
  local monitors; monitors=$(DISPLAY=$display xrandr --listmonitors | sed -n 's/^Monitors: //p')
  [ "$monitors" = 2 ] || { why="Xorg shows $monitors monitors, not 2"; return 1; }
  export DISPLAY=$display
}

why=""
if start_xorg; then
  export TARVELL_TWO_MONITORS=1920x1080+1280x1024
else
  export TARVELL_TWO_MONITORS="no X server with two monitors: $why"
  echo "$TARVELL_TWO_MONITORS" >&2
  [ -n "$xorg_pid" ] && kill "$xorg_pid" 2>/dev/null
  xorg_pid=""
  tarvell_ensure_display
fi

tarvell_ensure_template
prefix=$(tarvell_fresh_prefix)
export WINEPREFIX=$prefix
# Wine sends deleted files to $XDG_DATA_HOME/Trash: keep them in the throwaway prefix.
export XDG_DATA_HOME="$prefix/xdg-data"
mkdir -p "$XDG_DATA_HOME"
# Without the virtual desktop Wine's windows are the X server's own, and it lists its monitors.
[ -n "$xorg_pid" ] && wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1
wine "$@"
rc=$?
exit $rc
