#!/usr/bin/env bash
# Runs every test: the native build under AddressSanitizer and UBSan, the fuzz smoke run,
# and the Windows build under Wine inside Xvfb. Exits non-zero on any failure.
set -uo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
bash tools/setup.sh || { echo "setup failed"; exit 1; }

logdir="$here/build/test-logs"; mkdir -p "$logdir"
total_pass=0; total_fail=0; total_skip=0; status=0

# ctest prints "N% tests passed, F tests failed out of T"; add those up for the closing line.
count_ctest() {
  local line; line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1)
  if [ -z "$line" ]; then total_fail=$((total_fail + 1)); status=1; return; fi
  local failed total
  failed=$(echo "$line" | sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/')
  total=$(echo "$line" | sed -E 's/.* failed out of ([0-9]+).*/\1/')
  # ctest counts a skipped test among the passed ones; it lists them as "(Skipped)".
  local skipped; skipped=$(grep -c -E '^[[:space:]]+[0-9]+ - .*\(Skipped\)$' "$1")
  total_fail=$((total_fail + failed)); total_pass=$((total_pass + total - failed - skipped))
  total_skip=$((total_skip + skipped))
  [ "$failed" -eq 0 ] || status=1
}

echo "== native build (ASan + UBSan)"
if cmake --preset native >"$logdir/native-configure.log" 2>&1 &&
   cmake --build --preset native >"$logdir/native-build.log" 2>&1; then
  ctest --preset native 2>&1 | tee "$logdir/native-ctest.log"
  count_ctest "$logdir/native-ctest.log"
else
  tail -n 60 "$logdir"/native-*.log; echo "native build FAILED"; total_fail=$((total_fail + 1)); status=1
fi

if [ -x tools/fuzz.sh ] || [ -f tools/fuzz.sh ]; then
  echo "== fuzz smoke run"
  if bash tools/fuzz.sh 40 2>&1 | tail -n 20; [ "${PIPESTATUS[0]}" -eq 0 ]; then
    total_pass=$((total_pass + 1)); echo "fuzz smoke run passed"
  else
    total_fail=$((total_fail + 1)); status=1; echo "fuzz smoke run FAILED"
  fi
fi

echo "== Windows build (MinGW-w64), tests under Wine"
. tools/wine-env.sh
tarvell_ensure_display
trap '[ -n "$tarvell_xvfb_pid" ] && kill "$tarvell_xvfb_pid" 2>/dev/null' EXIT
tarvell_ensure_template
if cmake --preset windows >"$logdir/windows-configure.log" 2>&1 &&
   cmake --build --preset windows >"$logdir/windows-build.log" 2>&1; then
  ctest --preset windows 2>&1 | tee "$logdir/windows-ctest.log"
  count_ctest "$logdir/windows-ctest.log"
else
  tail -n 60 "$logdir"/windows-*.log; echo "Windows build FAILED"; total_fail=$((total_fail + 1)); status=1
fi

echo
echo "Total: $total_pass passed, $total_fail failed, $total_skip skipped"
exit $status
