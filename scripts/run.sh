#!/usr/bin/env bash
# Builds kestrow.exe and starts it under Wine. Without a display it starts a
# virtual one, saves a screenshot of the window and ends the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build/win" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" >/dev/null
cmake --build "$root/build/win" -j"$(nproc)" --target kestrow
exe="$root/build/win/platform/win32/kestrow.exe"
source "$root/scripts/wine-prefix.sh"
kestrow_wine_prefix "$root/build/wineprefix"

if [ -n "${DISPLAY:-}" ]; then
  exec wine "$exe"
fi

shot="$root/build/kestrow-screenshot.png"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  wine "$1" & sleep 6
  import -window root "$2"
  wineserver -k' _ "$exe" "$shot"
echo "No display: the window was shown on a virtual one; screenshot saved to $shot"
