#!/usr/bin/env bash
# Builds Tarvell.exe and runs it under Wine on a folder of sample pictures.
# Without a display it works inside Xvfb, lets the slideshow run for a while, and leaves
# screenshots under build/screenshots. With a display it leaves the program running.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
bash tools/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Tarvell tarvell-drive >/dev/null
samples=$(bash tools/make-samples.sh)

. tools/wine-env.sh
interactive=1; [ -z "${DISPLAY:-}" ] && interactive=0
tarvell_ensure_display
tarvell_ensure_template
export WINEPREFIX="$wine_dir/demo"
rm -rf "$WINEPREFIX"; cp -a "$wine_template/." "$WINEPREFIX/"; rm -f "$WINEPREFIX/.ready"
shots="$here/build/screenshots"; mkdir -p "$shots"; rm -f "$shots"/*.png "$shots/layout-96.txt"
bin="$here/build/windows/bin"
drive() { wine "$bin/tarvell-drive.exe" "$@"; }
cleanup() {
  [ "$interactive" = 1 ] || { wineserver -k >/dev/null 2>&1 || true; }
  [ -n "$tarvell_xvfb_pid" ] && kill "$tarvell_xvfb_pid" 2>/dev/null
  true
}
trap cleanup EXIT

# Settings for the demo: the sample folder with subfolders, a change every 3 seconds,
# a change at start-up. Ten lines, CR LF.
folder=$(winepath -w "$samples")
windir=$(winepath -u 'C:\windows')
printf '%s\r\n' 3 "$folder" 1 0 0 0 1 1 0 1 > "$windir/Tarvell.cfg"

# Installation moves the executable it runs from, so the demo runs a copy, never the build's own.
cp "$bin/Tarvell.exe" "$WINEPREFIX/drive_c/Tarvell.exe"
echo "run: starting Tarvell.exe (display $DISPLAY)"
wine 'C:\Tarvell.exe' &
app=$!
# The first start asks to install; say yes, and acknowledge the notices that follow.
if drive answer Installation ok 20000 >/dev/null; then
  # Wine has no per-default-user desktop key: that one registry change is refused with a notice.
  drive answer Error ok 5000 >/dev/null 2>&1 || true
  drive answer Success ok 10000 >/dev/null 2>&1 || true
fi

if [ "$interactive" = 1 ]; then
  echo "run: Tarvell is running in the notification area; Ctrl+Q quits."
  wait "$app"
  exit 0
fi

sleep 8   # let the slideshow change the wallpaper a few times
import -window root "$shots/desktop-with-help.png"
# The help window that follows the installation stays on top; close it for the other pictures.
drive close Form3 5000 >/dev/null 2>&1 || true
sleep 1
import -window root "$shots/desktop.png"
# The tray icon's menu, opened as the keyboard opens it; Esc closes it.
if drive traymenu 10000; then
  sleep 1
  import -window root "$shots/tray-menu.png"
  drive key 27
fi
# A second start hands over to the running program, which shows its main window.
second="$windir/Tarvell.exe"; [ -f "$second" ] || second="$WINEPREFIX/drive_c/Tarvell.exe"
wine "$second" || true
if geom=$(drive wait "Tarvell ver. 2.1" 10000); then
  sleep 4   # the slideshow changes the wallpaper under the window at least once
  read -r x y w h <<<"$geom"
  import -window root -crop "${w}x${h}+${x}+${y}" +repage "$shots/main-window.png"
  # What the 96-dpi layout itself has (its stacked buttons share their edges): the scaled
  # screens below must add nothing to it.
  { drive layout "Tarvell ver. 2.1" 5000 || true; } | tr -d '\r' > "$shots/layout-96.txt"
  import -window root "$shots/desktop-with-window.png"
fi
drive ctrl q
for _ in $(seq 1 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
# Never show a newcomer a broken window as the product.
shot_ok=1
if [ ! -f "$shots/main-window.png" ]; then
  echo "run: the main window never came up"; shot_ok=0
elif ! python3 tools/check-window-shot.py "$shots/main-window.png" | sed 's/^/run: /'; then
  shot_ok=0
fi
if [ "$shot_ok" != 1 ]; then
  echo "run: FAILED: $shots/main-window.png does not show the whole main window"
  exit 1
fi
echo "run: wallpaper was $(winepath -u "$(drive wallpaper | tr -d '\r')" 2>/dev/null || true)"
echo "run: settings written:"; tr -d '\r' < "$windir/Tarvell.cfg" | sed 's/^/    /'

# The windows on scaled screens, 150 % and 200 %: the program starts again with the screen's
# resolution set, opens the main, About and help windows, and each must show every control
# whole and apart from its neighbours.
shoot_window() {  # TITLE-PREFIX FILE
  local geom x y w h faults
  geom=$(drive wait "$1" 10000) || { echo "run: the window \"$1\" never came up"; return 1; }
  sleep 1   # its first paint
  read -r x y w h <<<"$geom"
  import -window root -crop "${w}x${h}+${x}+${y}" +repage "$2"
  faults=$(drive layout "$1" 5000 | tr -d '\r' | grep -vxF -f "$shots/layout-96.txt" || true)
  [ -z "$faults" ] && return 0
  sed "s/^/run: $(basename "$2"): /" <<<"$faults"
  return 1
}
layout_ok=1
touch "$shots/layout-96.txt"
for dpi in 144 192; do
  timeout 30 wineserver -w || wineserver -k
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wine reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
    /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wine "$second" &
  app=$!
  drive running 20000 || { echo "run: Tarvell did not start at $dpi dpi"; layout_ok=0; continue; }
  # A hand-over that comes before the main window is built shows nothing: ask again.
  for _ in 1 2 3 4 5; do
    wine "$second" || true
    drive wait "Tarvell ver. 2.1" 3000 >/dev/null && break
  done
  shoot_window "Tarvell ver. 2.1" "$shots/main-window-$dpi.png" || layout_ok=0
  drive click "Tarvell ver. 2.1" 276 100   # the background opens the About window
  shoot_window "About " "$shots/about-$dpi.png" || layout_ok=0
  drive click "About " 90 288          # its "Help" link opens the help window
  shoot_window "Form3" "$shots/help-$dpi.png" || layout_ok=0
  drive ctrl q
  for _ in $(seq 1 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
done
if [ "$layout_ok" != 1 ]; then
  echo "run: FAILED: a window is clipped or has overlapping controls on a scaled screen"
  exit 1
fi
if [ -s "$shots/layout-96.txt" ]; then
  echo "run: the 96-dpi main window's own overlaps, left as laid out:"
  sed 's/^/    /' "$shots/layout-96.txt"
fi
echo "run: screenshots:"
ls -1 "$shots"/*.png | sed 's/^/    /'
