#!/usr/bin/env bash
# The tray icon of the Windows program under wine: the tray scenario (../tray_scenario.sh), the
# menu used with the mouse, and the icon's own look and the menu's place at the cursor.
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
# shellcheck source=../tray_scenario.sh
. "$(dirname "$0")/../tray_scenario.sh"
# shellcheck source=wine_lib.sh
. "$(dirname "$0")/wine_lib.sh"
wine_desktop_start "$prefix" without_tray
use_browser "$(make_browser)"
no_tray_host_restart="Wine's own tray window stands in for a tray host here (see above)"

# The icon is the page with its amber reading band, just left of the icon's middle: sets `band`.
band_shows() {
  local ix iy
  read -r ix iy < <(icon_at)
  band=$(pixel $((ix - 4)) "$iy") && near "$band" "255 214 56" 24
}
icon_docked() {
  put_tray_aside
  wait_for band_shows
  check "it shows the page with its amber reading band ($band)" band_shows
}
menu_checks() {
  local mx ix
  read -r mx _ < <(place_of "$(menu)")
  read -r ix _ < <(icon_at)
  check "with its left edge at the cursor ($mx, cursor $ix)" test "$mx" = "$ix"
}

play_tray_scenario
[ -n "${E2E_SCREENSHOT:-}" ] && cp "$e2e_dir/menu.png" "$E2E_SCREENSHOT"
finish
