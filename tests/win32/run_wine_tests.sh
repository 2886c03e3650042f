#!/usr/bin/env bash
# Runs the tests of a mingw-w64 build folder under Wine on a virtual display,
# in a throwaway Wine prefix inside that folder, then runs the geometry tests
# once more at 144 DPI.
#
# Usage: tests/win32/run_wine_tests.sh <win-build-dir>
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 <win-build-dir>" >&2; exit 2; }
build=$(cd "$1" && pwd)

root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/wine-prefix.sh"
kestrow_wine_prefix "$build/wine-tests-prefix"

set +e
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  build=$1
  set_dpi() { wine reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }
  set_dpi 96
  KESTROW_TEST_DPI=96 ctest --test-dir "$build" --output-on-failure -j1
  rc=$?
  # The same geometry at 144 DPI: the tests compute their pixels from the
  # DPI the windows report.
  echo "== Geometry at 144 DPI"
  set_dpi 144
  for exe in window_test timer_window_test; do
    KESTROW_TEST_DPI=144 wine "$build/tests/win32/$exe.exe" --gtest_brief=1 || rc=1
  done
  set_dpi 96
  wineserver -k
  exit $rc' _ "$build"
rc=$?
set -e
exit $rc
