#!/usr/bin/env bash
# The Linux program's tray icon in a private desktop: the tray scenario (tray_scenario.sh), with
# the icon docked in trayer, a tray host that restarts and one that comes after the program.
set -u
lisotra=${1:?path to lisotra}
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
# shellcheck source=tray_scenario.sh
. "$(dirname "$0")/tray_scenario.sh"
# shellcheck source=linux_desktop.sh
. "$(dirname "$0")/linux_desktop.sh"
use_browser "$(make_browser)"

restart_tray_host() {
  stop_tray
  start_tray
}
start_without_tray_host() { stop_tray; }
# The program runs with no tray host before one comes: it has made its windows.
has_windows() { xwininfo -root -tree | grep -q '"lisotra"'; }
start_tray_host() {
  wait_for has_windows
  start_tray
}

play_tray_scenario
[ -n "${E2E_SCREENSHOT:-}" ] && cp "$e2e_dir/menu.png" "$E2E_SCREENSHOT"
finish
