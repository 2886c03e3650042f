#!/usr/bin/env bash
# Builds kestrow.exe and starts it under Wine. Without a display it starts a
# virtual one, saves a screenshot of the window and ends the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" win kestrow
exe="$root/build/win/platform/win32/kestrow.exe"
source "$root/scripts/wine-prefix.sh"
kestrow_wine_prefix "$root/build/wineprefix"

if [ -n "${DISPLAY:-}" ]; then
  exec wine "$exe"
fi

trap kestrow_wine_end EXIT
kestrow_virtual_display
shot="$root/build/kestrow-screenshot.png"
wine "$exe" &
sleep 6
import -window root "$shot"
echo "No display: the window was shown on a virtual one; screenshot saved to $shot"
