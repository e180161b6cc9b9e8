#!/usr/bin/env bash
# The tray icon as a person uses it: it docks, clicks open its menu, the menu's commands work, a
# double-click toggles the panel, and Exit takes the icon away and ends the program.
set -u
lisotra=${1:?path to lisotra}
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
desktop_start
ini=$XDG_CONFIG_HOME/Lisotra/Lisotra.ini
# The default browser: records what it was asked to open.
cat >"$e2e_dir/browser" <<SH
#!/bin/sh
echo "\$@" >>"$e2e_dir/opened"
SH
chmod +x "$e2e_dir/browser"
export BROWSER=$e2e_dir/browser

# Windows of the program by size: the docked icon is small, the panel large, the menu between.
windows() { xwininfo -root -tree | grep -E '"Lisotra": \("lisotra"'; }
icon_at() { windows | awk '$5 ~ /^2[0-9]x2[0-9]\+/ {split($6,p,"+"); print p[2] + 11, p[3] + 11; exit}'; }
docked() { [ -n "$(icon_at)" ]; }
panel_shown() { [ -n "$(panel)" ]; }
panel_gone() { [ -z "$(panel)" ]; }
stored() { sed -n "s/^$1=//p" "$ini"; }
stored_place() { echo "$(stored left) $(stored top)"; }
twips() { echo "\" $(($1 * 15))\" \" $(($2 * 15))\""; }  # place $1 as the INI file holds it

"$lisotra" >"$e2e_dir/lisotra.log" 2>&1 &
app_pid=$!
check "the icon docks in the tray" wait_for docked

click_icon 1
check "a left click opens the menu" wait_for menu_open
import -window root "$e2e_dir/menu.png"
xdotool key Escape
check "Escape closes it and runs nothing" wait_for menu_closed
check "no panel after a dismissed menu" panel_gone

click_icon 3
check "a right click opens the menu" wait_for menu_open
xdotool key s  # the access key of Show/Hide
check "Show/Hide from the menu shows the panel" wait_for panel_shown

check "the panel moves" move_window "$(panel)" 240 160
click_icon 1
wait_for menu_open
xdotool key s
check "Show/Hide again hides it" wait_for panel_gone
# shellcheck disable=SC2086
check "and stores the place it was moved to ($moved; stored $(stored_place))" test "$(stored_place)" = "$(twips $moved)"

click_icon 1 2
check "a double-click shows the panel" wait_for panel_shown
check "and leaves no menu open" wait_for menu_closed
click_icon 1 2
check "another double-click hides it" wait_for panel_gone

click_icon 1
wait_for menu_open
xdotool key Down Down Down Return  # Help
check "Help opens the support page in the browser" wait_for grep -q '^https://lisotra.org/support/$' "$e2e_dir/opened"

# The tray host restarts: the icon comes back and still answers.
stop_tray
start_tray
check "the icon docks again in a restarted tray" wait_for docked
click_icon 3
check "and its menu still opens" wait_for menu_open
xdotool key Escape

# Exit: the icon goes at once, the process ends, the panel's place is stored.
click_icon 1 2
wait_for panel_shown
check "the panel moves again" move_window "$(panel)" 320 200
click_icon 1
wait_for menu_open
xdotool key x  # the access key of Exit
check "Exit ends the process" wait_for bash -c "! kill -0 $app_pid 2>/dev/null"
check "Exit removes the icon" bash -c "! xwininfo -root -tree | grep -q '\"lisotra\"'"
# shellcheck disable=SC2086
check "Exit stores the panel's place ($moved; stored $(stored_place))" test "$(stored_place)" = "$(twips $moved)"
app_pid=""

# A tray host that comes after the program.
stop_tray
"$lisotra" >"$e2e_dir/late.log" 2>&1 &
app_pid=$!
sleep 1  # kept: the program runs a while with no tray; nothing it shows tells that it has
start_tray
check "the icon docks in a tray that comes later" wait_for docked
click_icon 1
check "and its menu opens" wait_for menu_open
xdotool key Escape

[ -n "${E2E_SCREENSHOT:-}" ] && cp "$e2e_dir/menu.png" "$E2E_SCREENSHOT"
finish
