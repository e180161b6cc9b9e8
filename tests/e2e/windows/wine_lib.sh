# Shared by the Windows end-to-end scripts (after lib.sh): a wine prefix of their own, ready
# before the first test, and where wine puts its windows.
#   wine_prefix_start PREFIX
wine_prefix_start() {
  export WINEPREFIX=$1 WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
  wineserver -k 2>/dev/null  # one left by an interrupted run would serve another display
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
}

# Wine draws its windows' frames itself: the X window is the whole frame.
frame_of() {
  [ -n "$1" ] || return 1
  xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}'
}
