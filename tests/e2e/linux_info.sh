#!/usr/bin/env bash
# The Linux program's About box and donate window in a private desktop: the info scenario
# (info_scenario.sh), the About box used by keyboard.
set -u
lisotra=${1:?path to lisotra}
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
# shellcheck source=info_scenario.sh
. "$(dirname "$0")/info_scenario.sh"
# shellcheck source=linux_desktop.sh
. "$(dirname "$0")/linux_desktop.sh"
use_browser "$(make_browser)"

# Along the About box's focus order, from OK: System Info, then the link.
use() {
  xdotool windowactivate --sync "$1" 2>/dev/null
  case $2 in
    link) xdotool key Tab Tab Return ;;  # from OK
    sysinfo) xdotool key shift+Tab space ;;  # from the link
    ok) xdotool key shift+Tab Return ;;  # from System Info
  esac
}
corner() {
  local x y w h
  read -r x y w h < <(frame_of "$1") && echo $((x + w)) $((y + h))
}

play_info_scenario
[ -n "${E2E_SCREENSHOTS:-}" ] && cp "$e2e_dir"/about.png "$e2e_dir"/donate.png "$E2E_SCREENSHOTS"/
finish
