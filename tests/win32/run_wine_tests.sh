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
  # A title bar of 40 pixels (twips, negative), for the About test only.
  echo "== About window with a 40-pixel caption"
  metrics="HKCU\\Control Panel\\Desktop\\WindowMetrics"
  old=$(wine reg query "$metrics" /v CaptionHeight 2>/dev/null | tr -d "\r" | awk "\$1 == \"CaptionHeight\" { print \$3 }")
  wine reg add "$metrics" /v CaptionHeight /t REG_SZ /d -600 /f >/dev/null 2>&1
  KESTROW_TEST_CAPTION=40 wine "$build/tests/win32/about_window_test.exe" --gtest_brief=1 || rc=1
  if [ -n "$old" ]; then
    wine reg add "$metrics" /v CaptionHeight /t REG_SZ /d "$old" /f >/dev/null 2>&1
  else
    wine reg delete "$metrics" /v CaptionHeight /f >/dev/null 2>&1
  fi
  wineserver -k
  exit $rc' _ "$build"
rc=$?
set -e
exit $rc
