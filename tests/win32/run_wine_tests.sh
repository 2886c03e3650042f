#!/usr/bin/env bash
# Runs the tests of a mingw-w64 build folder under Wine on a virtual display,
# in a throwaway Wine prefix inside that folder, then runs the geometry tests
# once more at 144 DPI.
#
# Usage: tests/win32/run_wine_tests.sh <win-build-dir>
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 <win-build-dir>" >&2; exit 2; }
build=$(cd "$1" && pwd)

export WINEPREFIX="$build/wine-tests-prefix"
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko prompts
export WINEDEBUG=-all
export WINEARCH=win64
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot --init >/dev/null 2>&1
  wineserver -w
fi

# The windows ask for the face 微软雅黑, which Windows has and Wine has not;
# Wine's fallback for it lacks some ASCII glyphs ("!" shows as a box), so the
# prefix maps the face to a CJK font of the host.
reg="$WINEPREFIX/kestrow-fonts.reg"
if [ ! -f "$reg" ]; then
  printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
    '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]' \
    '"微软雅黑"="WenQuanYi Micro Hei"' '"Microsoft YaHei"="WenQuanYi Micro Hei"' |
    iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$reg.tmp"
  wine regedit /S "$(winepath -w "$reg.tmp")" >/dev/null 2>&1
  wineserver -w
  mv "$reg.tmp" "$reg"
fi

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
