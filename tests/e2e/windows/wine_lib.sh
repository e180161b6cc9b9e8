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
# lib.sh's click_icon, its clicks farther apart than wine's double-click time.
click_gap=600000
# Chooses an item of the open menu with the left button. Items are 16 pixels high, separators 9,
# the frame 3.
choose() {
  local -A offsets=([show_hide]=11 [settings]=36 [help]=61 [about]=77 [donate]=102 [exit]=127)
  local x y
  read -r x y < <(place_of "$(menu)") && xdotool mousemove $((x + 30)) $((y + offsets[$1])) click 1
}
# A click elsewhere closes the menu: the keyboard is Wine's tray window's, not the menu's.
dismissal="a click elsewhere"
dismiss_menu() { xdotool mousemove 600 400 click 1; }
not_docked() { ! docked; }
icon_gone() { wait_for not_docked; }
tray_place="Wine's tray window"
# Wine's tray window out of the way of the panel, which opens at the top left.
put_tray_aside() {
  local from
  from=$(place_of "$(tray_window)")
  xdotool windowmove "$(tray_window)" 1000 700
  wait_for left_place "$(tray_window)" "$from"
}


# Wine draws the frame itself: the client area is centred across the X window, below the caption.
# The client areas of the program's dialogs, by title.
client_size() {
  case $(xdotool getwindowname "$1") in
    "Lisotra Settings.") echo 478 280 ;;  # 7170 x 4200 twips
    "Color Picker") echo 434 237 ;;
    "About Lisotra") echo 382 237 ;;  # 5730 x 3555 twips
    "Lisotra - donate") echo 554 187 ;;  # 8310 x 2805 twips
  esac
}
client_offset() {  # window: where its client area starts within the X window
  local w h cw ch
  read -r _ _ w h < <(frame_of "$1")
  read -r cw ch < <(client_size "$1")
  echo $(((w - cw) / 2)) $((h - ch - (w - cw) / 2))
}
client_click() {  # window x y
  local x y dx dy
  read -r x y _ _ < <(frame_of "$1")
  read -r dx dy < <(client_offset "$1")
  xdotool mousemove $((x + dx + $2)) $((y + dy + $3)) click 1
}
client_pixel() {  # window x y
  local dx dy
  read -r dx dy < <(client_offset "$1")
  import -window "$1" "$e2e_dir/client.png" && pixel_in "$e2e_dir/client.png" $((dx + $2)) $((dy + $3))
}
# A click on a label gives a dialog the keyboard, whose focus is on OK.
give_keyboard() {  # window x y
  client_click "$@"
  wait_for focused "$1"
}

# The program's settings in the registry.
key=HKCU\\Software\\Lisotra
reg() { "$wine_run" "$prefix" reg "$@" >/dev/null 2>&1; }
stored() {  # KEY [SECTION]: the REG_SZ text of SECTION\KEY (window unless given), as `wine reg query` shows it
  "$wine_run" "$prefix" reg query "$key\\${2:-window}" /v "$1" 2>/dev/null | tr -d '\r' |
    sed -n "s/^    $1    REG_SZ    \(.*\)$/\1/p"
}
store() { reg add "$key\\$2" /v "$3" /t REG_SZ /d "$1" /f; }
store_clear() { reg delete "$key" /f; }
# Wine opens a web address with the first program its WineBrowser key names.
use_browser() { reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /t REG_SZ /d "$1" /f; }

launch() { "$wine_run" "$prefix" "$exe" >>"$e2e_dir/$1" 2>&1 & }
start() {
  launch lisotra.log
  app_pid=$!
  wait_for docked
  put_tray_aside
}
stop() {  # Exit from the icon's menu
  click_icon 1
  wait_for menu_open
  choose exit
  wait_for process_ended "$app_pid"
  icon_gone
}
panels() { xdotool search --onlyvisible --name '^Lisotra$' 2>/dev/null; }

# Wine hands hotkeys to its programs only while one of its windows has the X focus: a Notepad
# started by start_focus_window, activated for each key press.
start_focus_window() {
  "$wine_run" "$prefix" notepad >"$e2e_dir/notepad.log" 2>&1 &
  focus_pid=$!
  wait_for focus_ready
}
focus_window() { xdotool search --onlyvisible --name 'Notepad' 2>/dev/null | head -1; }
focus_ready() { [ -n "$(focus_window)" ]; }
press() {
  xdotool windowactivate --sync "$(focus_window)" 2>/dev/null
  xdotool key "ctrl+alt+$1"
}
