#!/usr/bin/env bash
# Runs the end-to-end tests: the real kestrow.exe under Wine, in a prefix
# whose shutdown.exe and explorer.exe are the recorder, so nothing is ever
# shut down and no page is ever opened. The ctest "e2e" of the mingw-w64
# build; run it through tests/win32/run_wine_tests.sh, which provides the
# prefix and the display:
#
#   tests/win32/run_wine_tests.sh build/win -R e2e
#
# shutdown.exe is the recorder built as a console program, as the real one
# is; explorer.exe the GUI one.
#
# Usage: run_e2e.sh <kestrow.exe> <e2e_test.exe> <recorder.exe> <console-recorder.exe> [gtest flags...]
set -euo pipefail
[ $# -ge 4 ] ||
  { echo "usage: $0 <kestrow.exe> <e2e_test.exe> <recorder.exe> <console-recorder.exe> [gtest flags...]" >&2; exit 2; }
[ -n "${WINEPREFIX:-}" ] && [ -n "${DISPLAY:-}" ] ||
  { echo "no Wine prefix or display: run through tests/win32/run_wine_tests.sh" >&2; exit 2; }
exe=$1 tests=$2 recorder=$3 console_recorder=$4
shift 4
source "$(dirname "$0")/../../scripts/wine-prefix.sh"
kestrow_recorder_stands_in "$recorder" "$console_recorder"

# Beside the tests, so a failure's commands can be read afterwards.
out="$(cd "$(dirname "$tests")" && pwd)/run"
mkdir -p "$out"
rm -f "$out"/stall-*
log="$out/commands.log"
: >"$log"
export KESTROW_RECORDER_LOG
KESTROW_RECORDER_LOG=$(kestrow_windows_path "$log")

# The stall test asks, by putting the milliseconds into stall-request, for
# kestrow.exe to be stopped (SIGSTOP) that long and resumed (SIGCONT), as a
# busy machine or a debugger would hold it; the answer in stall-done names
# the processes stopped. Only this prefix's kestrow.exe is ever touched.
# (comm: the exe's file name, cut to 15 characters.)
comm=$(basename "$exe")
comm=${comm:0:15}
kestrow_pids() {
  local d
  for d in /proc/[0-9]*; do
    [ "$(cat "$d/comm" 2>/dev/null)" = "$comm" ] || continue
    tr '\0' '\n' 2>/dev/null <"$d/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "${d#/proc/}"
  done
  return 0
}
while sleep 0.02; do
  [ -f "$out/stall-request" ] || continue
  ms=$(cat "$out/stall-request")
  rm -f "$out/stall-request"
  pids=$(kestrow_pids)
  [ -z "$pids" ] || kill -STOP $pids 2>/dev/null || true
  sleep "$(awk -v ms="$ms" 'BEGIN { print ms / 1000 }')"
  [ -z "$pids" ] || kill -CONT $pids 2>/dev/null || true
  echo $pids >"$out/stall-done.tmp"
  mv "$out/stall-done.tmp" "$out/stall-done"
done &
staller=$!
trap 'kill $staller' EXIT

timeout -k 10 900 wine "$tests" "$@" "$(kestrow_windows_path "$(realpath "$exe")")" "$KESTROW_RECORDER_LOG"
