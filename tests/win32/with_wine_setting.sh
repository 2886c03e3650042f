#!/usr/bin/env bash
# Runs one adapter test, or a command, with a setting of the Wine prefix
# changed, then puts the setting back: the screen's DPI, the title bar's
# height in pixels, or the Windows version Wine reports.
#
# Usage: with_wine_setting.sh dpi <dpi> <test.exe>
#        with_wine_setting.sh caption <pixels> <test.exe>
#        with_wine_setting.sh version win7|win10 -- <command> [arguments...]
set -euo pipefail
[ $# -ge 3 ] || { echo "usage: $0 dpi|caption|version <value> <test.exe> | -- <command...>" >&2; exit 2; }
what=$1 value=$2
shift 2
desktop='HKCU\Control Panel\Desktop'
current() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v n="$2" '$1 == n { print $3 }'; }
case $what in
  # The tests compute their pixels from the DPI the windows report.
  dpi) key=$desktop name=LogPixels type=REG_DWORD data=$value back=96
       export KESTROW_TEST_DPI=$value ;;
  # In twips, negative; the test is told the pixels it should see.
  caption) key="$desktop\\WindowMetrics" name=CaptionHeight type=REG_SZ data=$((-15 * value))
           back=$(current "$key" "$name")
           export KESTROW_TEST_CAPTION=$value ;;
  # What GetVersionEx and the like answer in every program of the prefix.
  version) key='HKCU\Software\Wine' name=Version type=REG_SZ data=$value
           back=$(current "$key" "$name")
           case $value in
             win7) expected=6.1.7601 ;;
             win10) expected=10.0. ;;
             *) echo "unknown version: $value (win7 or win10)" >&2; exit 2 ;;
           esac ;;
  *) echo "unknown setting: $what" >&2; exit 2 ;;
esac

wine reg add "$key" /v "$name" /t "$type" /d "$data" /f >/dev/null 2>&1
# A setting changed for the session only (SystemParametersInfo without
# SPIF_UPDATEINIFILE, as a test before may have done) stays ahead of the
# stored one until the session's wineserver ends: let it end first.
wineserver -w
rc=0
if [ "$what" = version ] && ! wine cmd /c ver | grep -qF "Windows $expected"; then
  echo "Wine does not report Windows $expected with Version=$value" >&2
  rc=1
elif [ "$1" = -- ]; then
  shift
  "$@" || rc=$?
else
  wine "$1" --gtest_brief=1 || rc=$?
fi
if [ -n "$back" ]; then
  wine reg add "$key" /v "$name" /t "$type" /d "$back" /f >/dev/null 2>&1
else
  wine reg delete "$key" /v "$name" /f >/dev/null 2>&1
fi
exit $rc
