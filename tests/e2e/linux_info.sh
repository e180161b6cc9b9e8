#!/usr/bin/env bash
# The About box and the donate window as a person uses them: both from the tray, OK and Escape
# close the About box, its link and the donate picture reach the browser (a click on the message
# does not), System Info says when there is no tool, and the donate window sits at the bottom
# right of the screen.
set -u
lisotra=${1:?path to lisotra}
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
desktop_start
# The default browser: records what it was asked to open.
cat >"$e2e_dir/browser" <<SH
#!/bin/sh
echo "\$@" >>"$e2e_dir/opened"
SH
chmod +x "$e2e_dir/browser"
export BROWSER=$e2e_dir/browser

icon_at() {
  xwininfo -root -tree | grep -E '"Lisotra": \("lisotra"' |
    awk '$5 ~ /^2[0-9]x2[0-9]\+/ {split($6,p,"+"); print p[2] + 11, p[3] + 11; exit}'
}
docked() { [ -n "$(icon_at)" ]; }
from_menu() {  # the item's place in the menu: 1 Show/Hide, 2 Settings, 3 Help, 4 About, 5 Donate
  click_icon 1
  wait_for menu_open
  for _ in $(seq "$1"); do xdotool key Down; done
  xdotool key Return
}
client_click() {  # window x y
  local x y
  read -r x y < <(xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} END{print x, y}')
  xdotool mousemove $((x + $2)) $((y + $3)) click 1
}
opened_count() { grep -c "^$1\$" "$e2e_dir/opened" 2>/dev/null || true; }
# Window $1's frame sits where the donate window belongs (see its check below).
at_bottom_right() {
  local x y w h
  read -r x y w h < <(frame_of "$1") && [ "$((x + w)) $((y + h))" = "1273 720" ]
}
opened_times() { [ "$(opened_count "$1")" = "$2" ]; }  # counted again at each try of wait_for

"$lisotra" >"$e2e_dir/lisotra.log" 2>&1 &
app_pid=$!
check "the icon docks in the tray" wait_for docked

from_menu 4
check "About from the tray opens the About box" wait_for shown "About Lisotra"
about=$(titled "About Lisotra")
activate "$about"
import -window "$about" "$e2e_dir/about.png"
xdotool key Escape
check "Escape closes it" wait_for gone "About Lisotra"
from_menu 4
wait_for shown "About Lisotra"
about=$(titled "About Lisotra")
xdotool windowactivate --sync "$about" 2>/dev/null
xdotool key Tab Tab Return  # from OK to System Info to the link
check "the link opens the home page" wait_for opened_times 'https://lisotra.org/\?' 1
xdotool windowactivate --sync "$about" 2>/dev/null
xdotool key shift+Tab space  # System Info
check "System Info without a tool says so" wait_for shown Lisotra
xdotool key Return
check "and its OK closes the message" wait_for gone Lisotra
check "the About box stays open meanwhile" shown "About Lisotra"
xdotool windowactivate --sync "$about" 2>/dev/null
xdotool key shift+Tab Return  # OK
check "OK closes it" wait_for gone "About Lisotra"

from_menu 5
check "Donate from the tray opens the donate window" wait_for shown "Lisotra - donate"
donate=$(titled "Lisotra - donate")
wait_for at_bottom_right "$donate"
import -window "$donate" "$e2e_dir/donate.png"
read -r fx fy fw fh < <(frame_of "$donate")
# 100 twips (7 pixels) from the right of the 1280 x 800 screen, 1200 twips (80) above its bottom.
check "it sits at the bottom right ($fx $fy ${fw}x$fh)" test "$((fx + fw)) $((fy + fh))" = "1273 720"
client_click "$donate" 100 40  # the message
sleep 1  # kept: the grace period of a check that nothing opens
check "a click on the message opens nothing" test "$(opened_count https://lisotra.org/say-thanks)" = 0
client_click "$donate" $((5280 / 15 + 90)) $((1800 / 15 + 25))
sleep 0.7  # kept: two clicks, not one double-click
client_click "$donate" $((5280 / 15 + 90)) $((1800 / 15 + 25))
check "each click on the picture opens the thanks page" wait_for opened_times https://lisotra.org/say-thanks 2
[ -n "${E2E_SCREENSHOTS:-}" ] && cp "$e2e_dir"/about.png "$e2e_dir"/donate.png "$E2E_SCREENSHOTS"/
finish
