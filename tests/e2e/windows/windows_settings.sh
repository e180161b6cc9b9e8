#!/usr/bin/env bash
# The settings of the Windows program under wine, changed by keyboard and mouse: Settings from
# the tray, new show and hide letters, Always on top, a colour picked in the picker and set, OK.
# The new show letter then brings up a topmost panel in that colour, the old one does nothing, and
# a fresh start keeps the new letters.
#   windows_settings.sh LISOTRA.EXE WINEPREFIX
set -u
exe=$(realpath "${1:?path to lisotra.exe}")
prefix=$(realpath -m "${2:?wine prefix}")
# shellcheck source=../lib.sh
. "$(dirname "$0")/../lib.sh"
# shellcheck source=wine_lib.sh
. "$(dirname "$0")/wine_lib.sh"
# Wine's own tray window takes clicks; see windows_tray.sh.
wine_desktop_start "$prefix" without_tray

key=HKCU\\Software\\Lisotra
"$wine_run" "$prefix" reg delete "$key" /f >/dev/null 2>&1
stored() {  # the REG_SZ text of default\$1
  "$wine_run" "$prefix" reg query "$key\\default" /v "$1" 2>/dev/null | tr -d '\r' |
    sed -n "s/^    $1    REG_SZ    \(.*\)$/\1/p"
}
panel() { titled Lisotra; }
panel_shown() { [ -n "$(panel)" ]; }
panel_gone() { [ -z "$(panel)" ]; }
client_pixel() {  # window client-width client-height x y
  local x y
  read -r x y < <(client_origin "$1" "$2" "$3")
  pixel $((x + $4)) $((y + $5))
}
# Wine hands hotkeys to its programs only while one of its windows has the X focus.
"$wine_run" "$prefix" notepad >"$e2e_dir/notepad.log" 2>&1 &
focus_pid=$!
wait_for bash -c "xdotool search --onlyvisible --name 'Notepad' >/dev/null"
press() {
  xdotool windowactivate --sync "$(xdotool search --onlyvisible --name 'Notepad' | head -1)" 2>/dev/null
  xdotool key "ctrl+alt+$1"
}
start() {
  "$wine_run" "$prefix" "$exe" >>"$e2e_dir/lisotra.log" 2>&1 &
  app_pid=$!
  wait_for docked
  [ -n "$(tray_window)" ] && xdotool windowmove "$(tray_window)" 1000 700
}

start
check "the icon shows in Wine's tray window" docked
click_icon 1
wait_for menu_open
choose 1
check "Settings from the tray opens the settings dialog" wait_for shown "Lisotra Settings."
settings=$(titled "Lisotra Settings.")
sw=478 sh=280  # its client area, 7170 x 4200 twips
sleep 0.5
import -window "$settings" "$e2e_dir/settings.png"
# A click on a label gives the dialog the keyboard, whose focus is on OK.
click_in "$settings" $sw $sh 20 175
sleep 0.3
# By keyboard from OK along the focus order: hide letter, show letter, run at startup, on top,
# colour button. Tab selects a text box's text, so typing replaces it.
xdotool key Tab
xdotool type k
xdotool key Tab
xdotool type j
xdotool key Tab Tab space Tab space
check "the colour button opens the picker" wait_for shown "Color Picker"
picker=$(titled "Color Picker")
pw=434 ph=237
sleep 0.5
import -window "$picker" "$e2e_dir/picker.png"
click_in "$picker" $pw $ph $((24 + 60)) $((24 + 30))
sleep 0.3
swatch=$(client_pixel "$picker" $pw $ph 330 80)
check "the swatch shows the picked colour ($swatch), not red" test "$swatch" != "255 0 0"
# The person looks at another program (Notepad) and comes back: the pick stays.
xdotool windowactivate --sync "$(xdotool search --onlyvisible --name 'Notepad' | head -1)" 2>/dev/null
sleep 1
xdotool windowactivate --sync "$picker" 2>/dev/null
sleep 0.3
back=$(client_pixel "$picker" $pw $ph 330 80)
check "coming back from another program keeps the pick ($back)" test "$back" = "$swatch"
click_in "$picker" $pw $ph $((256 + 76)) $((168 + 20))
check "SET THIS COLOUR closes the picker" wait_for gone "Color Picker"
xdotool windowactivate --sync "$settings" 2>/dev/null  # from under Notepad
sleep 0.3
settings_swatch=$(client_pixel "$settings" $sw $sh $((256 + 60)) $((112 + 12)))
check "the settings swatch takes it ($settings_swatch)" test "$settings_swatch" = "$swatch"
click_in "$settings" $sw $sh $((392 + 36)) $((232 + 12))
check "OK closes the dialog" wait_for gone "Lisotra Settings."
check "the letters are stored upper-cased" test "$(stored key)/$(stored keystart)" = "J/K"
check "always on top is stored" test "$(stored ontop)" = " 1"
read -r r g b <<<"$swatch"
check "the colour is stored" test "$(stored backcolor)" = " $((r + 256 * g + 65536 * b))"

press s
sleep 0.5
check "the old show letter does nothing" panel_gone
press j
check "the new show letter shows the panel" wait_for panel_shown
id=$(panel)
check "the panel is topmost" bash -c "xprop -id $id _NET_WM_STATE | grep -q ABOVE"
read -r px py pw2 ph2 < <(frame_of "$id")
sleep 0.3
inside=$(pixel $((px + pw2 / 2)) $((py + ph2 / 2)))
press k
check "the new hide letter hides it" wait_for panel_gone
sleep 0.3
background=$(pixel $((px + pw2 / 2)) $((py + ph2 / 2)))  # what the panel lay over
expected=$(blend "$swatch" "$background")
check "the panel showed the picked colour ($inside, expected $expected)" near "$inside" "$expected" 6

click_icon 1
wait_for menu_open
choose 5  # Exit
wait_for bash -c "! xdotool search --onlyvisible --name '^Wine System Tray$' >/dev/null"
start
press j
check "a fresh start keeps the new letters" wait_for panel_shown
[ -n "${E2E_SCREENSHOTS:-}" ] && cp "$e2e_dir"/settings.png "$e2e_dir"/picker.png "$E2E_SCREENSHOTS"/
finish
