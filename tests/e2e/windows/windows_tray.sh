#!/usr/bin/env bash
# The tray icon of the Windows program under wine as a person uses it: it shows, clicks open its
# menu at the cursor, a click elsewhere closes it, Show/Hide and a double-click toggle the panel,
# Help opens the support page in the default browser, and Exit takes the icon away, ends the
# program and stores the panel's place.
#   windows_tray.sh LISOTRA.EXE WINEPREFIX
#
# The icon lives in Wine's own tray window. Docked into an XEmbed tray such as trayer, Wine 8
# draws nothing into the icon and passes it no click (its window for the icon never learns where
# the tray put it), so no person could use it there; Wine shows its tray window when no tray
# host runs, and this desktop's trayer is stopped for it.
#
# The menu is used with the mouse. Wine hands key presses to the window that has the X focus,
# which a click on the tray window gives to Wine's tray, not to the menu; the access keys are
# tested on the realisation, with input sent to the program.
set -u
exe=$(realpath "${1:?path to lisotra.exe}")
prefix=$(realpath -m "${2:?wine prefix}")  # wine takes only an absolute one
# shellcheck source=../lib.sh
. "$(dirname "$0")/../lib.sh"
# shellcheck source=wine_lib.sh
. "$(dirname "$0")/wine_lib.sh"
wine_desktop_start "$prefix" without_tray

key=HKCU\\Software\\Lisotra
reg() { "$wine_run" "$prefix" reg "$@" >/dev/null 2>&1; }
stored() {  # the REG_SZ text of window\$1, as `wine reg query` shows it
  "$wine_run" "$prefix" reg query "$key\\window" /v "$1" 2>/dev/null | tr -d '\r' |
    sed -n "s/^    $1    REG_SZ    \(.*\)$/\1/p"
}
stored_place() { echo "$(stored left) $(stored top)"; }
twips() { echo " $(($1 * 15))  $(($2 * 15))"; }  # place $1 as the program stores it

# The default browser: Wine opens a web address with the first program its WineBrowser key
# names. This one records what it was asked to open.
cat >"$e2e_dir/browser" <<SH
#!/bin/sh
echo "\$@" >>"$e2e_dir/opened"
SH
chmod +x "$e2e_dir/browser"
reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /t REG_SZ /d "$e2e_dir/browser" /f
reg delete "$key" /f

panel() { xdotool search --onlyvisible --name '^Lisotra$' 2>/dev/null | head -1; }
panel_shown() { [ -n "$(panel)" ]; }
panel_gone() { [ -z "$(panel)" ]; }
"$wine_run" "$prefix" "$exe" >"$e2e_dir/lisotra.log" 2>&1 &
app_pid=$!
check "the icon shows in Wine's tray window" wait_for docked
# Out of the way of the panel, which opens at the top left.
[ -n "$(tray_window)" ] && xdotool windowmove "$(tray_window)" 1000 700
sleep 0.5
read -r ix iy < <(icon_at)
import -window root "$e2e_dir/tray.png"
band=$(pixel_in "$e2e_dir/tray.png" $((ix - 4)) "$iy")
check "it shows the page with its amber reading band ($band)" near "$band" "255 214 56" 24

click_icon 1
check "a left click opens the menu" wait_for menu_open
import -window root "$e2e_dir/menu.png"
read -r mx my < <(place_of "$(menu)")
read -r ix iy < <(icon_at)
check "with its left edge at the cursor ($mx, cursor $ix)" test "$mx" = "$ix"
xdotool mousemove 600 400 click 1
check "a click elsewhere closes it" wait_for menu_closed
check "and runs nothing" panel_gone

click_icon 3
check "a right click opens the menu" wait_for menu_open
choose 0
check "Show/Hide from the menu shows the panel" wait_for panel_shown

check "the panel moves" move_window "$(panel)" 240 160
click_icon 1
wait_for menu_open
choose 0
check "Show/Hide again hides it" wait_for panel_gone
# shellcheck disable=SC2086
check "and stores the place it was moved to ($moved; stored $(stored_place))" test "$(stored_place)" = "$(twips $moved)"

click_icon 1 2
check "a double-click shows the panel" wait_for panel_shown
check "and leaves no menu open" wait_for menu_closed
click_icon 1 2
check "another double-click hides it" wait_for panel_gone
check "and leaves no menu open either" wait_for menu_closed

click_icon 1
wait_for menu_open
choose 2
opened() { grep -qs '^https://lisotra.org/support/$' "$e2e_dir/opened"; }
check "Help opens the support page in the browser" wait_for opened

# Exit: the icon goes at once, the process ends, the panel's place is stored.
click_icon 1 2
wait_for panel_shown
check "the panel moves again" move_window "$(panel)" 320 200
click_icon 1
wait_for menu_open
choose 5
ended() { [ -z "$(ps -o stat= -p "$app_pid" | grep -v Z)" ]; }  # gone, or a zombie not yet reaped
check "Exit ends the process" wait_for ended
check "Exit removes the icon" wait_for bash -c "! xdotool search --onlyvisible --name '^Wine System Tray$' >/dev/null"
# shellcheck disable=SC2086
check "Exit stores the panel's place ($moved; stored $(stored_place))" test "$(stored_place)" = "$(twips $moved)"
app_pid=""

[ -n "${E2E_SCREENSHOT:-}" ] && cp "$e2e_dir/menu.png" "$E2E_SCREENSHOT"
finish
