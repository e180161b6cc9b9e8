#!/usr/bin/env bash
# The Linux program as a person uses it, in a private desktop: the panel scenario
# (panel_scenario.sh), with the settings in the INI file.
set -u
lisotra=${1:?path to lisotra}
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
# shellcheck source=panel_scenario.sh
. "$(dirname "$0")/panel_scenario.sh"
# shellcheck source=linux_desktop.sh
. "$(dirname "$0")/linux_desktop.sh"
end_session() { kill -TERM "$app_pid"; }

play_panel_scenario
[ -n "${E2E_SCREENSHOT:-}" ] && cp "$e2e_dir/red-panel.png" "$E2E_SCREENSHOT"
finish
