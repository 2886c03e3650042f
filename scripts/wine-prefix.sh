# Sourced by the run and test scripts: prepares a throwaway Wine prefix at
# the given path (made once) and exports what Wine needs to use it.
#
#   source scripts/wine-prefix.sh; kestrow_wine_prefix <folder>
kestrow_wine_prefix() {
  export WINEPREFIX="$1"
  export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko prompts
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEARCH=win64
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1
    wineserver -w
  fi

  # The windows ask for the face 微软雅黑, which Windows has and Wine has
  # not; Wine's fallback for it lacks some ASCII glyphs ("!" shows as a box),
  # so the prefix maps the face to a CJK font of the host.
  local reg="$WINEPREFIX/kestrow-fonts.reg"
  if [ ! -f "$reg" ]; then
    printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
      '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]' \
      '"微软雅黑"="WenQuanYi Micro Hei"' '"Microsoft YaHei"="WenQuanYi Micro Hei"' |
      iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$reg.tmp"
    # Wine maps the Unix root to Z:; winepath is avoided since it could leave
    # a wineserver behind that knows no display.
    wine regedit /S "Z:${reg//\//\\}.tmp" >/dev/null 2>&1
    # Title bars use Wine's own Tahoma, which has no Chinese glyphs either.
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v Tahoma \
      /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1
    wineserver -w
    mv "$reg.tmp" "$reg"
  fi
}
