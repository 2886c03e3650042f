# Sourced by the run and test scripts: a throwaway Wine prefix inside the
# build folder, made once, that asks for no Mono or Gecko.
wine_root=${wine_root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX="$wine_root/build/wineprefix"
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=win64
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot --init >/dev/null 2>&1
  wineserver -w
fi
