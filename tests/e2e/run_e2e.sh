#!/usr/bin/env bash
# Runs the end-to-end tests: the real kestrow.exe under Wine on a virtual
# display, in a throwaway Wine prefix whose shutdown.exe and explorer.exe are
# the recorder, so nothing is ever shut down and no page is ever opened.
#
# Usage: tests/e2e/run_e2e.sh <win-build-dir> [gtest flags...]
# The exe defaults to <win-build-dir>/platform/win32/kestrow.exe (KESTROW_EXE
# overrides). E2E_BIN may name a folder with a prebuilt recorder.exe and
# e2e_test.exe (the CMake build); otherwise both are compiled here.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ $# -ge 1 ] || { echo "usage: $0 <win-build-dir> [gtest flags...]" >&2; exit 2; }
build=$(cd "$1" && pwd)
shift
out="$build/e2e"
exe=${KESTROW_EXE:-$build/platform/win32/kestrow.exe}
[ -f "$exe" ] || { echo "no kestrow.exe at $exe" >&2; exit 2; }
mkdir -p "$out"

cxx=x86_64-w64-mingw32-g++-posix
flags=(-std=c++20 -O2 -static -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
gtest=/usr/src/googletest/googletest

if [ -n "${E2E_BIN:-}" ]; then
  cp "$E2E_BIN/recorder.exe" "$E2E_BIN/e2e_test.exe" "$out/"
else
  if [ ! -f "$out/libgtest.a" ]; then
    "$cxx" -std=c++20 -O2 -I"$gtest/include" -I"$gtest" -c "$gtest/src/gtest-all.cc" -o "$out/gtest-all.o"
    x86_64-w64-mingw32-ar rcs "$out/libgtest.a" "$out/gtest-all.o"
  fi
  "$cxx" "${flags[@]}" -municode -mwindows "$here/recorder.cpp" -o "$out/recorder.exe"
  "$cxx" "${flags[@]}" -I"$gtest/include" "$here/e2e_test.cpp" "$out/libgtest.a" -lgdi32 -o "$out/e2e_test.exe"
fi

source "$here/../../scripts/wine-prefix.sh"
kestrow_wine_prefix "$out/wineprefix"
# Wine prefers its builtin shutdown.exe over a native file of that name in
# system32; C:\windows\explorer.exe is not a builtin path and runs natively.
wine reg add 'HKCU\Software\Wine\DllOverrides' /v shutdown.exe /t REG_SZ /d native /f >/dev/null 2>&1
wineserver -w
cp "$out/recorder.exe" "$WINEPREFIX/drive_c/windows/system32/shutdown.exe"
cp "$out/recorder.exe" "$WINEPREFIX/drive_c/windows/explorer.exe"

log="$out/commands.log"
: >"$log"
# Wine maps the root of the Unix file system to drive Z:. Not winepath: it
# would leave a wineserver running without the virtual display behind.
windows_path() { local p=$1; echo "Z:${p//\//\\}"; }
export KESTROW_RECORDER_LOG
KESTROW_RECORDER_LOG=$(windows_path "$log")
win_exe=$(windows_path "$(cd "$(dirname "$exe")" && pwd)/$(basename "$exe")")

# The stall test asks, by putting the milliseconds into stall-request, for
# kestrow.exe to be stopped (SIGSTOP) that long and resumed (SIGCONT), as a
# busy machine or a debugger would hold it; the answer in stall-done names
# the processes stopped. Only this prefix's kestrow.exe is ever touched.
kestrow_pids() {
  local d
  for d in /proc/[0-9]*; do
    [ "$(cat "$d/comm" 2>/dev/null)" = kestrow.exe ] || continue
    tr '\0' '\n' 2>/dev/null <"$d/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "${d#/proc/}"
  done
  return 0
}
rm -f "$out/stall-request" "$out/stall-done"
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

set +e
timeout -k 10 900 xvfb-run -a -s "-screen 0 1280x1024x24" \
  bash -c 'wine "$1/e2e_test.exe" "${@:4}" "$2" "$3"; rc=$?; wineserver -k; exit $rc' \
  _ "$out" "$win_exe" "$KESTROW_RECORDER_LOG" "$@"
rc=$?
kill "$staller"
set -e
echo "Commands recorded: $log"
exit $rc
