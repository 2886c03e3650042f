#!/usr/bin/env bash
# Takes the README's pictures of the three windows: kestrow.exe under Wine in
# a virtual desktop (so Wine draws the title bars) on a virtual display,
# driven with the mouse and keyboard as a user would.
#   scripts/screenshots.sh [output folder]     (default: docs/screenshots)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "${1:-$root/docs/screenshots}" && cd "${1:-$root/docs/screenshots}" && pwd)
exe="$root/build/win/platform/win32/kestrow.exe"
[ -f "$exe" ] || { echo "build kestrow.exe first (scripts/build.sh)" >&2; exit 2; }
"$root/scripts/install-deps.sh" xdotool
source "$root/scripts/wine-prefix.sh"
trap kestrow_wine_end EXIT
kestrow_virtual_display
kestrow_wine_prefix "$root/build/wineprefix"

shot() { import -window root "$out/full.png"; convert "$out/full.png" -crop "$2" +repage "$out/$1.png"; }
wine explorer /desktop=kestrow,1280x1024 "$exe" &
sleep 8
shot timer-window 236x556+0+0
xdotool mousemove 30 140 click 3; sleep 1      # right button on the background
xdotool key Down Down Return; sleep 3          # 关于
# Inside a Wine desktop the windows are no X windows of their own, so the
# crops follow the placement the windows compute for a 1280x1024 screen.
shot about-window 440x284+418+371
xdotool mousemove 756 604 click 1; sleep 3     # 关注我们
shot follow-window 1110x718+85+149
rm -f "$out/full.png"
echo "Screenshots in $out"
