#!/usr/bin/env bash
# The colour picker on a Linux desktop, used with the real mouse: each pick is the colour the
# screen shows under the pointer, a drag that leaves the window still picks (at the field's last
# column), the release draws the marker, and the bar shows and gives the shades of the pick.
# The window is kept as screenshots.
set -u
program=${1:?path to lisotra_picker_window}
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
desktop_start
shots=${E2E_SHOTS:-$e2e_dir}

"$program" >"$e2e_dir/picks.log" 2>"$e2e_dir/window.log" &
app_pid=$!
await_window "Lisotra colour picker test"
read -r ox oy < <(xwininfo -id "$id" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} END{print x, y}')

# The control sits 120 twips (8 pixels) into the window; the bar 181 pixels into the control.
field() { pixel $((ox + 8 + $1)) $((oy + 8 + $2)); }
bar() { pixel $((ox + 8 + 181 + $1)) $((oy + 8 + $2)); }
# "r g b" as the picks are written: the colour value BBGGRR in hexadecimal.
value() {
  local r g b
  read -r r g b <<<"$1"
  printf '%02X%02X%02X' "$b" "$g" "$r"
}
darker() {  # "r g b" less $2 a channel, not below 0
  local r g b
  read -r r g b <<<"$1"
  echo "$((r > $2 ? r - $2 : 0)) $((g > $2 ? g - $2 : 0)) $((b > $2 ? b - $2 : 0))"
}
# The window is drawn once the field shows pure red just inside its top-left corner.
drawn() { [ "$(field 1 1)" = "255 0 0" ]; }
# The released pick's marker is drawn: black at the marker's top (column 175, row 81).
marker_drawn() { [ "$(field 175 81)" = "0 0 0" ]; }
picked() { [ "$(tail -1 "$e2e_dir/picks.log" | awk '{print $2}')" = "$1" ]; }

wait_for drawn
import -window "$id" "$shots/picker-shown.png"
check "pure red just inside the field's top-left corner" test "$(field 1 1)" = "255 0 0"
check "a grey frame line along the top" test "$(field 50 0)" = "160 160 160"
check "a white frame line down the right" test "$(field 176 50)" = "255 255 255"
check "the bar starts at white less 4" test "$(bar 10 1)" = "251 251 251"

shown=$(field 60 90)
xdotool mousemove --window "$id" $((8 + 60)) $((8 + 90)) mousedown 1
wait_for picked "$(value "$shown")"
check "a press picks the colour shown under the pointer" picked "$(value "$shown")"
edge=$(field 175 90)
xdotool mousemove --window "$id" 400 $((8 + 90))
wait_for picked "$(value "$edge")"
check "a drag out of the window picks at column 175" picked "$(value "$edge")"
xdotool mouseup 1
wait_for marker_drawn
import -window "$id" "$shots/picker-marker.png"
check "the release draws the marker centred at column 175" test "$(field 175 81)" = "0 0 0"
check "and leaves its middle clear" test "$(field 175 89)" = "$edge"
check "the bar shows the pick's shades" test "$(bar 10 1)" = "$(darker "$edge" 4)"

shade=$(bar 10 50)
xdotool mousemove --window "$id" $((8 + 181 + 10)) $((8 + 50)) click 1
wait_for picked "$(value "$shade")"
check "a click on the bar picks the shade shown there" picked "$(value "$shade")"
check "which is the pick less 52 a channel (band 13)" test "$shade" = "$(darker "$edge" 52)"
finish
