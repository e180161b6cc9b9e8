#!/usr/bin/env bash
# The About box and the donate window of the Windows program under wine: the info scenario
# (../info_scenario.sh), the About box used with the mouse.
#   windows_info.sh LISOTRA.EXE WINEPREFIX
set -u
exe=$(realpath "${1:?path to lisotra.exe}")
prefix=$(realpath -m "${2:?wine prefix}")
# shellcheck source=../lib.sh
. "$(dirname "$0")/../lib.sh"
# shellcheck source=../info_scenario.sh
. "$(dirname "$0")/../info_scenario.sh"
# shellcheck source=wine_lib.sh
. "$(dirname "$0")/wine_lib.sh"
# Wine's own tray window takes clicks; see windows_tray.sh.
wine_desktop_start "$prefix" without_tray
use_browser "$(make_browser)"
icon_docked() { put_tray_aside; }

# Wine's browser launcher ends a bare site address with a slash (the scenario allows it).
use() {  # window control: a click on the link, System Info... or OK
  case $2 in
    link) client_click "$1" $((1920 / 15 + 30)) $((2640 / 15 + 8)) ;;
    sysinfo) client_click "$1" $((4260 / 15 + 40)) $((3075 / 15 + 11)) ;;
    ok) client_click "$1" $((4245 / 15 + 40)) $((2625 / 15 + 11)) ;;
  esac
}
# The window manager decorates the donate window: the X window is wine's client area, inside
# wine's fixed-dialog border of 3 pixels.
corner() {
  local x y w h
  read -r x y w h < <(frame_of "$1") && echo $((x + w + 3)) $((y + h + 3))
}

play_info_scenario
[ -n "${E2E_SCREENSHOTS:-}" ] && cp "$e2e_dir"/about.png "$e2e_dir"/donate.png "$E2E_SCREENSHOTS"/
finish
