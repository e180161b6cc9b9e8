#!/usr/bin/env bash
# The settings as a person changes them, by keyboard and mouse: Settings from the tray, new show
# and hide letters, Always on top, a colour picked in the picker and set, OK. The new show letter
# then brings up a topmost panel in that colour, the old one does nothing, and a fresh start of the
# program keeps the new letters.
set -u
lisotra=${1:?path to lisotra}
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
desktop_start
ini=$XDG_CONFIG_HOME/Lisotra/Lisotra.ini

icon_at() {
  xwininfo -root -tree | grep -E '"Lisotra": \("lisotra"' |
    awk '$5 ~ /^2[0-9]x2[0-9]\+/ {split($6,p,"+"); print p[2] + 11, p[3] + 11; exit}'
}
docked() { [ -n "$(icon_at)" ]; }
# The reading panel: the program's window titled "Lisotra" that is larger than the tray icon.
panel() {
  local id
  for id in $(xdotool search --onlyvisible --name '^Lisotra$' 2>/dev/null); do
    [ "$(xwininfo -id "$id" | awk '/Width:/{print $2}')" -gt 64 ] && { echo "$id"; return; }
  done
}
panel_shown() { [ -n "$(panel)" ]; }
panel_gone() { [ -z "$(panel)" ]; }
stored() { sed -n "s/^$1=//p" "$ini"; }
origin() { xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} END{print x, y}'; }
click_in() {  # window x y: a left click at the window's client point
  local x y
  read -r x y < <(origin "$1")
  xdotool mousemove $((x + $2)) $((y + $3)) click 1
}
# The colour window $1 shows at client point ($2, $3), from a fresh shot of it kept as $4.
shows() { import -window "$1" "$4" && pixel_in "$4" "$2" "$3"; }
# The picker is drawn once its field shows pure red just inside its top-left corner (24 pixels in).
picker_drawn() { [ "$(shows "$picker" 25 25 "$e2e_dir/picker.png")" = "255 0 0" ]; }
# A pick shows in the picker's swatch: sets `swatch` to what it shows, true once that is not $1.
swatch_left() { swatch=$(shows "$picker" 330 80 "$e2e_dir/picked.png") && [ "$swatch" != "$1" ]; }
# The settings swatch shows colour $1: sets `shown_swatch`.
settings_swatch_is() {
  shown_swatch=$(shows "$settings" $((3840 / 15 + 60)) $((1680 / 15 + 12)) "$e2e_dir/set.png")
  [ "$shown_swatch" = "$1" ]
}
# The middle of the panel (x y w h in $px $py $pw $ph) shows colour $1: sets `inside`.
panel_shows() { inside=$(pixel $((px + pw / 2)) $((py + ph / 2))) && near "$inside" "$1" 6; }
start() {
  "$lisotra" >>"$e2e_dir/lisotra.log" 2>&1 &
  app_pid=$!
  wait_for docked
}

start
check "the icon docks in the tray" docked
click_icon 1
wait_for menu_open
xdotool key Down Down Return  # Show/Hide, Settings
check "Settings from the tray opens the settings dialog" wait_for shown "Lisotra Settings."
settings=$(titled "Lisotra Settings.")
activate "$settings"
import -window "$settings" "$e2e_dir/settings.png"
check "the dialog shows the default letters" test "$(xdotool getwindowname "$settings")" = "Lisotra Settings."

# By keyboard from OK, along the focus order: hide letter, show letter, run at startup, on top,
# colour button.
xdotool key Tab ctrl+a type K
xdotool key Tab ctrl+a
xdotool type j
xdotool key Tab Tab space Tab space
check "the colour button opens the picker" wait_for shown "Color Picker"
picker=$(titled "Color Picker")
wait_for picker_drawn
first=$(shows "$picker" 330 80 "$e2e_dir/picked.png")
# The picker's field starts 24 pixels in; a click at (60, 30) of the field picks a green.
click_in "$picker" $((24 + 60)) $((24 + 30))
wait_for swatch_left "$first"
check "the swatch shows the picked colour ($swatch), not red" test "$swatch" != "255 0 0"
# The person looks at another program (the page being read) and comes back: the pick stays. The
# toolkit takes the other program's focus as final only after a moment, hence the second's wait.
xmessage -title "another program" "the page being read" >/dev/null 2>&1 &
other_pid=$!
check "another program starts" wait_for shown "another program"
xdotool windowactivate --sync "$(titled "another program")" 2>/dev/null
sleep 1
xdotool windowactivate --sync "$picker" 2>/dev/null
# Kept: that the pick stays is checked after a moment for the picker to answer the focus coming
# back; no sign shows that it has.
sleep 0.3
import -window "$picker" "$e2e_dir/back.png"
kill "$other_pid" 2>/dev/null
check "coming back from another program keeps the pick ($(pixel_in "$e2e_dir/back.png" 330 80))" \
  test "$(pixel_in "$e2e_dir/back.png" 330 80)" = "$swatch"
click_in "$picker" $((256 + 76)) $((168 + 20))  # SET THIS COLOUR
check "SET THIS COLOUR closes the picker" wait_for gone "Color Picker"
wait_for settings_swatch_is "$swatch"
check "the settings swatch takes it ($shown_swatch)" test "$shown_swatch" = "$swatch"
xdotool windowactivate --sync "$settings" 2>/dev/null
click_in "$settings" $((5880 / 15 + 36)) $((3480 / 15 + 12))  # OK
check "OK closes the dialog" wait_for gone "Lisotra Settings."
check "the letters are stored upper-cased" test "$(stored key)/$(stored keystart)" = "J/K"
check "always on top is stored" test "$(stored ontop)" = "\" 1\""
read -r r g b <<<"$swatch"
check "the colour is stored" test "$(stored backcolor)" = "\" $((r + 256 * g + 65536 * b))\""

background=$(pixel 5 5)
xdotool key ctrl+alt+s
sleep 0.5  # kept: the grace period of a check that nothing shows
check "the old show letter does nothing" panel_gone
xdotool key ctrl+alt+j
check "the new show letter shows the panel" wait_for panel_shown
id=$(panel)
check "the panel is topmost" bash -c "xprop -id $id _NET_WM_STATE | grep -q ABOVE"
read -r px py pw ph < <(xwininfo -id "$id" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}')
expected=$(blend "$swatch" "$background")
wait_for panel_shows "$expected"
check "the panel shows the picked colour ($inside, expected $expected)" near "$inside" "$expected" 6
xdotool key ctrl+alt+k
check "the new hide letter hides it" wait_for panel_gone

kill "$app_pid"
wait "$app_pid" 2>/dev/null
start
xdotool key ctrl+alt+j
check "a fresh start keeps the new letters" wait_for panel_shown
[ -n "${E2E_SCREENSHOTS:-}" ] && cp "$e2e_dir"/settings.png "$e2e_dir"/picker.png "$E2E_SCREENSHOTS"/
finish
