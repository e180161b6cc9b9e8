# Shared by the Windows end-to-end scripts (after lib.sh): a private desktop and a wine prefix of
# their own, ready before the first test, and where wine puts its windows.
wine_run="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../platform/win32" && pwd)/wine.sh"

# The desktop, without its tray host when asked (Wine then shows its own tray window), and the
# prefix; both end with the script, with a helper window at $focus_pid if one was started.
#   wine_desktop_start PREFIX [without_tray]
wine_desktop_start() {
  desktop_start
  [ "${2:-}" = without_tray ] && stop_tray
  wine_prefix_start "$1"
  trap wine_stop EXIT
}
wine_stop() {
  [ -n "${focus_pid:-}" ] && kill "$focus_pid" 2>/dev/null
  wineserver -k 2>/dev/null
  desktop_stop
}

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

# Wine's own tray window, shown when no tray host runs, and the program's icon and menu in it.
tray_window() { xdotool search --onlyvisible --name '^Wine System Tray$' 2>/dev/null | head -1; }
docked() { [ -n "$(tray_window)" ]; }
# The first icon of the tray window: a 20-pixel cell at the left of its client area.
icon_at() {
  local x y
  read -r x y < <(place_of "$(tray_window)") && echo $((x + 10)) $((y + 10))
}
menu() {  # the open pop-up menu: the program's one mapped override-redirect window
  local id
  for id in $(xwininfo -root -children | awk '/"lisotra.exe"/ {print $1}'); do
    xwininfo -id "$id" | grep -q 'Map State: IsViewable' && xwininfo -id "$id" | grep -q 'Override Redirect State: yes' &&
      { echo "$id"; return 0; }
  done
  return 1
}
menu_open() { menu >/dev/null; }
menu_closed() { ! menu_open; }
click_icon() {  # button [repeat]
  # Clicks closer together than the double-click time would make one double-click.
  sleep 0.6
  read -r x y < <(icon_at)
  xdotool mousemove "$x" "$y" click --repeat "${2:-1}" --delay 80 "$1"
}
# Chooses item $1 of the open menu with the left button: 0 Show/Hide, 1 Settings, 2 Help,
# 3 About, 4 Donate, 5 Exit. Items are 16 pixels high, separators 9, the frame 3.
choose() {
  local offsets=(11 36 61 77 102 127) x y
  read -r x y < <(place_of "$(menu)") && xdotool mousemove $((x + 30)) $((y + offsets[$1])) click 1
}


# Wine draws the frame itself: the client area is centred across the X window, below the caption.
client_origin() {  # window client-width client-height
  local x y w h
  read -r x y w h < <(frame_of "$1")
  local border=$(((w - $2) / 2))
  echo $((x + border)) $((y + h - $3 - border))
}
click_in() {  # window client-width client-height x y
  local x y
  read -r x y < <(client_origin "$1" "$2" "$3")
  xdotool mousemove $((x + $4)) $((y + $5)) click 1
}
