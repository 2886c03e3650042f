#!/usr/bin/env bash
# Runs one adapter test with a setting of the Wine prefix changed, then puts
# the setting back: the screen's DPI, or the title bar's height in pixels.
#
# Usage: with_wine_setting.sh dpi <dpi> <test.exe>
#        with_wine_setting.sh caption <pixels> <test.exe>
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 dpi|caption <value> <test.exe>" >&2; exit 2; }
what=$1 value=$2 exe=$3
desktop='HKCU\Control Panel\Desktop'
case $what in
  # The tests compute their pixels from the DPI the windows report.
  dpi) key=$desktop name=LogPixels type=REG_DWORD data=$value back=96
       export KESTROW_TEST_DPI=$value ;;
  # In twips, negative; the test is told the pixels it should see.
  caption) key="$desktop\\WindowMetrics" name=CaptionHeight type=REG_SZ data=$((-15 * value))
           back=$(wine reg query "$key" /v "$name" 2>/dev/null | tr -d '\r' | awk -v n="$name" '$1 == n { print $3 }')
           export KESTROW_TEST_CAPTION=$value ;;
  *) echo "unknown setting: $what" >&2; exit 2 ;;
esac

wine reg add "$key" /v "$name" /t "$type" /d "$data" /f >/dev/null 2>&1
# A setting changed for the session only (SystemParametersInfo without
# SPIF_UPDATEINIFILE, as a test before may have done) stays ahead of the
# stored one until the session's wineserver ends: let it end first.
wineserver -w
rc=0
wine "$exe" --gtest_brief=1 || rc=$?
if [ -n "$back" ]; then
  wine reg add "$key" /v "$name" /t "$type" /d "$back" /f >/dev/null 2>&1
else
  wine reg delete "$key" /v "$name" /f >/dev/null 2>&1
fi
exit $rc
