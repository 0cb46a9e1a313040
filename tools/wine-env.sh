# Sourced by the Wine scripts: a template prefix with a virtual desktop, and a display.
# Everything lives under build/wine; nothing touches the user's own ~/.wine.
tarvell_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
wine_dir="$tarvell_root/build/wine"
wine_template="$wine_dir/template"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=win64
# No Mono or Gecko installers: the prefix must come up without network or questions.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml=;winemenubuilder.exe=d"}

# Starts Xvfb when there is no display; sets tarvell_xvfb_pid so the caller can stop it.
tarvell_ensure_display() {
  tarvell_xvfb_pid=""
  if [ -n "${DISPLAY:-}" ]; then return 0; fi
  local fifo; fifo=$(mktemp -u); mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  tarvell_xvfb_pid=$!
  local num; read -r num <"$fifo"; rm -f "$fifo"
  export DISPLAY=":$num"
}

# Makes the template prefix once (guarded by a lock, since tests may start together).
tarvell_ensure_template() {
  mkdir -p "$wine_dir"
  (
    flock 9
    if [ ! -f "$wine_template/.ready" ]; then
      rm -rf "$wine_template"
      WINEPREFIX="$wine_template" wineboot -i >/dev/null 2>&1
      WINEPREFIX="$wine_template" wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
      WINEPREFIX="$wine_template" wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
      WINEPREFIX="$wine_template" wineserver -w
      touch "$wine_template/.ready"
    fi
  ) 9>"$wine_dir/.template.lock"
}

# Makes a fresh throwaway prefix from the template and prints its path. The system files
# Wine only reads (programs, libraries, code pages, fonts: nearly all of the 700 MB) are hard
# links to the template's; the registry, the ini files and everything else are real copies,
# so whatever a test changes stays in its own prefix.
tarvell_fresh_prefix() {
  local p; p=$(mktemp -d "$wine_dir/prefix.XXXXXX")
  cp -al "$wine_template/." "$p/"
  (cd "$wine_template" && find . -type f ! \( -name '*.dll' -o -name '*.exe' -o -name '*.sys' \
      -o -name '*.drv' -o -name '*.nls' -o -name '*.tlb' -o -name '*.ocx' -o -name '*.cpl' \
      -o -name '*.acm' -o -name '*.ax' -o -name '*.ds' -o -name '*.msstyles' -o -name '*.manifest' \
      -o -name '*.ttf' -o -name '*.fon' -o -name '*.inf' -o -name '*.pnf' \) -print0) |
    while IFS= read -r -d '' f; do cp -a --remove-destination "$wine_template/$f" "$p/$f"; done
  rm -f "$p/.ready"
  echo "$p"
}
