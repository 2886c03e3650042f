#!/usr/bin/env bash
# Runs the ctests of a mingw-w64 build folder (adapter and end-to-end tests)
# under Wine on a private virtual display, in a throwaway Wine prefix inside
# that folder. Further arguments go to ctest (-R e2e, --output-junit FILE).
#
# Usage: tests/win32/run_wine_tests.sh <win-build-dir> [ctest arguments...]
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 <win-build-dir> [ctest arguments...]" >&2; exit 2; }
build=$(cd "$1" && pwd)
shift

root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/wine-prefix.sh"
trap kestrow_wine_end EXIT
kestrow_virtual_display
kestrow_wine_prefix "$build/wineprefix"
# The tests compute their pixels from the DPI the windows report; 96 unless
# a test changes it (with_wine_setting.sh).
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
# Wine reports Windows 10 (Wine 8's own default is 7, later Wine's 10); the
# end-to-end tests run once more as Windows 7 (with_wine_setting.sh version).
wine reg add 'HKCU\Software\Wine' /v Version /t REG_SZ /d win10 /f >/dev/null 2>&1
wine cmd /c ver | grep -qF 'Windows 10.0.' || { echo "Wine does not report Windows 10" >&2; exit 1; }
KESTROW_TEST_DPI=96 ctest --test-dir "$build" --output-on-failure -j1 "$@"
