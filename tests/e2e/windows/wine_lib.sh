# Shared by the Windows end-to-end scripts: a wine prefix of their own, ready before the first test.
#   wine_prefix_start PREFIX
wine_prefix_start() {
  export WINEPREFIX=$1 WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
  wineserver -k 2>/dev/null  # one left by an interrupted run would serve another display
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
}
