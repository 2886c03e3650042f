#!/usr/bin/env bash
# Builds kestrow.exe and starts it under Wine. Without a display it starts a
# virtual one with Wine's desktop on it, saves a screenshot of the window and
# ends the program.
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
# Title bars are the window manager's job, and a bare virtual display has
# none: Wine's own desktop window draws them instead.
wine explorer /desktop=kestrow,1280x1024 "$exe" &
# The desktop and then the window take seconds to appear, many more with a
# new prefix on a busy machine: the screen is read each second until the
# window is there at the same size twice in a row, for up to two minutes.
previous=""
for _ in $(seq 120); do
  sleep 1
  import -window root "$shot"
  # Cut away the desktop around the window: a border of the desktop's colour
  # (its far corner) makes -trim take that colour for the background. An
  # empty screen trims to a single pixel.
  desktop=$(convert "$shot" -format '%[pixel:p{1279,1023}]' info:)
  convert "$shot" -bordercolor "$desktop" -border 1 -trim +repage "$shot" 2>/dev/null
  size=$(identify -format '%wx%h' "$shot")
  [ "$size" != 1x1 ] && [ "$size" = "$previous" ] && break
  previous=$size
done
[ "$size" != 1x1 ] || { echo "No display: the window did not appear on the virtual one" >&2; exit 1; }
echo "No display: the window was shown on a virtual one; screenshot saved to $shot"
