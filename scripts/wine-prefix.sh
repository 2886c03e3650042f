# The one Wine set-up of the run, screenshot, test and bench scripts. Sourced:
#
#   source scripts/wine-prefix.sh
#   kestrow_wine_prefix <folder>          a throwaway prefix there (made once), exported
#   kestrow_virtual_display               a private Xvfb, exported as DISPLAY
#   kestrow_recorder_stands_in <rec.exe> [<console-rec.exe>]
#                                         the recorder as the prefix's shutdown.exe and explorer.exe
#                                         (the console one, if given, as shutdown.exe)
#   trap kestrow_wine_end EXIT            ends the prefix's wineserver and the display
kestrow_wine_prefix() {
  export WINEPREFIX; WINEPREFIX=$(realpath -m "$1")   # Wine takes absolute paths only
  # No Mono or Gecko prompts, and no menu entries or file associations on
  # the host for a throwaway prefix (winemenubuilder can also take minutes).
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEARCH=win64
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1
    wineserver -w
  fi

  # The windows ask for the face 微软雅黑, which Windows has and Wine has
  # not. Wine's own pick for it, Droid Sans Fallback, has no "!" or "A", so
  # "停止!" would end in a box. A font replacement (Wine's own registry key)
  # makes the host's WenQuanYi Micro Hei answer to the name itself, for every
  # character set, as Windows' font does. The UTF-16 .reg file carries the
  # Chinese name whatever the host's locale; the import is checked, since a
  # prefix marked done without it would keep the boxes for good.
  local reg="$WINEPREFIX/kestrow-font-replacements.reg"
  if [ ! -f "$reg" ]; then
    printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
      '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
      '"微软雅黑"="WenQuanYi Micro Hei"' '"Microsoft YaHei"="WenQuanYi Micro Hei"' |
      iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$reg.tmp"
    wine regedit /S "$(kestrow_windows_path "$reg.tmp")" >/dev/null 2>&1
    # Title bars use Wine's own Tahoma, which has no Chinese glyphs either.
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v Tahoma \
      /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1
    wine reg query 'HKCU\Software\Wine\Fonts\Replacements' /v 'Microsoft YaHei' >/dev/null 2>&1 ||
      { echo "Wine prefix $WINEPREFIX: the font replacement was not imported" >&2; return 1; }
    wineserver -w
    mv "$reg.tmp" "$reg"
  fi
}

# Wine maps the Unix root to Z:. Not winepath: it could leave a wineserver
# behind that knows no display.
kestrow_windows_path() { local p=$1; echo "Z:${p//\//\\}"; }

# Xvfb picks a free display number itself (-displayfd), so scripts started
# side by side never race for one.
kestrow_virtual_display() {
  local number
  number=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number" >/dev/null 2>&1 &
  KESTROW_XVFB_PID=$!
  for _ in $(seq 200); do [ -s "$number" ] && break; sleep 0.05; done
  [ -s "$number" ] || { echo "Xvfb did not start" >&2; rm -f "$number"; return 1; }
  export DISPLAY=":$(head -1 "$number")"
  rm -f "$number"
}

# Nothing under test may shut the machine down or open a page: the prefix's
# shutdown.exe and explorer.exe become the recorder (tests/e2e/recorder.cpp).
# Wine prefers its builtin shutdown.exe to a native file of that name in
# system32; C:\windows\explorer.exe is not a builtin path and runs natively.
# A 32-bit program's system32 is syswow64 (WOW64's redirection), where
# Wine's builtin stub, which accepts every command line, would answer.
kestrow_recorder_stands_in() {
  wine reg add 'HKCU\Software\Wine\DllOverrides' /v shutdown.exe /t REG_SZ /d native /f >/dev/null 2>&1
  wineserver -w
  local system
  for system in system32 syswow64; do
    [ ! -d "$WINEPREFIX/drive_c/windows/$system" ] || cp "${2:-$1}" "$WINEPREFIX/drive_c/windows/$system/shutdown.exe"
  done
  cp "$1" "$WINEPREFIX/drive_c/windows/explorer.exe"
}

kestrow_wine_end() {
  [ -z "${WINEPREFIX:-}" ] || wineserver -k 2>/dev/null || true
  [ -z "${KESTROW_XVFB_PID:-}" ] || kill "$KESTROW_XVFB_PID" 2>/dev/null || true
}
