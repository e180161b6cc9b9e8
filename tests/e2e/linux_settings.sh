#!/usr/bin/env bash
# The Linux program's settings in a private desktop: the settings scenario (settings_scenario.sh),
# by keyboard from the tray's menu, with another program (xmessage) to look at meanwhile.
set -u
lisotra=${1:?path to lisotra}
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
# shellcheck source=settings_scenario.sh
. "$(dirname "$0")/settings_scenario.sh"
# shellcheck source=linux_desktop.sh
. "$(dirname "$0")/linux_desktop.sh"

dialog_checks() { check "the dialog shows the default letters" test "$(xdotool getwindowname "$1")" = "Lisotra Settings."; }
look_elsewhere() {
  xmessage -title "another program" "the page being read" >/dev/null 2>&1 &
  other_pid=$!
  check "another program starts" wait_for shown "another program"
  other=$(titled "another program")
}
done_looking() { kill "$other_pid" 2>/dev/null; }

play_settings_scenario
[ -n "${E2E_SCREENSHOTS:-}" ] && cp "$e2e_dir"/settings.png "$e2e_dir"/picker.png "$E2E_SCREENSHOTS"/
finish
