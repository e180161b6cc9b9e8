#!/usr/bin/env bash
# The settings of the Windows program under wine: the settings scenario (../settings_scenario.sh),
# with Notepad as the other program a person looks at, and as the window that has the X focus
# when a hotkey is pressed.
#   windows_settings.sh LISOTRA.EXE WINEPREFIX
set -u
exe=$(realpath "${1:?path to lisotra.exe}")
prefix=$(realpath -m "${2:?wine prefix}")
# shellcheck source=../lib.sh
. "$(dirname "$0")/../lib.sh"
# shellcheck source=../settings_scenario.sh
. "$(dirname "$0")/../settings_scenario.sh"
# shellcheck source=wine_lib.sh
. "$(dirname "$0")/wine_lib.sh"
# Wine's own tray window takes clicks; see windows_tray.sh.
wine_desktop_start "$prefix" without_tray
start_focus_window

# Tab selects a text box's text, so typing replaces it.
retype() {
  xdotool key Tab
  xdotool type "$1"
}
look_elsewhere() { other=$(focus_window); }

play_settings_scenario
[ -n "${E2E_SCREENSHOTS:-}" ] && cp "$e2e_dir"/settings.png "$e2e_dir"/picker.png "$E2E_SCREENSHOTS"/
finish
