#!/usr/bin/env bash
# Runs every test: the native build under AddressSanitizer and UBSan, the threaded code under
# ThreadSanitizer, the fuzz smoke run,
# and the Windows build under Wine inside Xvfb. Exits non-zero on any failure.
set -uo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
bash tools/setup.sh || { echo "setup failed"; exit 1; }

logdir="$here/build/test-logs"; mkdir -p "$logdir"
total_pass=0; total_fail=0; total_skip=0; status=0

# Adds up one ctest run from its JUnit report (ctest --output-junit) for the closing line. A
# case skipped by its own say (GoogleTest's SKIPPED, a skip code) or disabled counts as
# skipped; one ctest could not run (no executable) counts as failed, as ctest counts it. A
# run that left no report, or one without a case, counts as one failure.
count_junit() {
  local counts
  if ! counts=$(python3 - "$1" 2>/dev/null <<'PY'
import sys
import xml.etree.ElementTree as ET

passed = failed = skipped = 0
for case in ET.parse(sys.argv[1]).getroot().iter("testcase"):
    skip = case.find("skipped")
    if case.find("failure") is not None:
        failed += 1
    elif case.get("status") == "disabled" or (skip is not None and skip.get("message", "").startswith("SKIP_")):
        skipped += 1
    elif skip is not None or case.get("status") != "run":
        failed += 1
    else:
        passed += 1
if passed + failed + skipped == 0:
    sys.exit(1)
print(passed, failed, skipped)
PY
  ); then
    echo "no test report in $1"; total_fail=$((total_fail + 1)); status=1; return
  fi
  local passed failed skipped
  read -r passed failed skipped <<<"$counts"
  total_pass=$((total_pass + passed)); total_fail=$((total_fail + failed)); total_skip=$((total_skip + skipped))
  [ "$failed" -eq 0 ] || status=1
}

echo "== native build (ASan + UBSan)"
if cmake --preset native >"$logdir/native-configure.log" 2>&1 &&
   cmake --build --preset native >"$logdir/native-build.log" 2>&1; then
  rm -f "$logdir/native-junit.xml"
  ctest --preset native --output-junit "$logdir/native-junit.xml" 2>&1 | tee "$logdir/native-ctest.log"
  count_junit "$logdir/native-junit.xml"
else
  tail -n 60 "$logdir"/native-*.log; echo "native build FAILED"; total_fail=$((total_fail + 1)); status=1
fi

echo "== the tests where threads meet (ThreadSanitizer)"
if cmake --preset tsan >"$logdir/tsan-configure.log" 2>&1 &&
   cmake --build --preset tsan >"$logdir/tsan-build.log" 2>&1; then
  rm -f "$logdir/tsan-junit.xml"
  ctest --preset tsan --output-junit "$logdir/tsan-junit.xml" 2>&1 | tail -n 30
  count_junit "$logdir/tsan-junit.xml"
else
  tail -n 60 "$logdir"/tsan-*.log; echo "ThreadSanitizer build FAILED"; total_fail=$((total_fail + 1)); status=1
fi

if [ -x tools/fuzz.sh ] || [ -f tools/fuzz.sh ]; then
  echo "== fuzz smoke run"
  # Five targets at 24 seconds take as long as three at 40 did.
  if bash tools/fuzz.sh 24 2>&1 | tail -n 20; [ "${PIPESTATUS[0]}" -eq 0 ]; then
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
  rm -f "$logdir/windows-junit.xml"
  ctest --preset windows --output-junit "$logdir/windows-junit.xml" 2>&1 | tee "$logdir/windows-ctest.log"
  count_junit "$logdir/windows-junit.xml"
else
  tail -n 60 "$logdir"/windows-*.log; echo "Windows build FAILED"; total_fail=$((total_fail + 1)); status=1
fi

echo
echo "Total: $total_pass passed, $total_fail failed, $total_skip skipped"
exit $status
