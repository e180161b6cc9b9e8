#!/usr/bin/env bash
# The Linux program as a person uses it, in a private desktop: the panel scenario
# (panel_scenario.sh), with the settings in the INI file.
set -u
lisotra=${1:?path to lisotra}
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
# shellcheck source=panel_scenario.sh
. "$(dirname "$0")/panel_scenario.sh"
desktop_start
ini=$XDG_CONFIG_HOME/Lisotra/Lisotra.ini

launch() { "$lisotra" >"$e2e_dir/$1" 2>&1 & }
# Key grabs show in no property: the scenario knows the program is ready when a hotkey works.
press() { xdotool key "ctrl+alt+$1"; }
# The INI file holds each text quoted: key=" 6000".
stored() { awk -v key="$1" -F= '/^\[/ {in_window = $0 == "[window]"} in_window && $1 == key {sub(/^[^=]*=/, ""); gsub(/^"|"$/, ""); print}' "$ini" 2>/dev/null; }
store() {  # VALUE SECTION KEY: replaces the key in its section, adding either where missing
  mkdir -p "$(dirname "$ini")"
  touch "$ini"
  awk -v value="$1" -v section="[$2]" -v key="$3" -F= '
    /^\[/ { if (in_section && !done) { print key "=\"" value "\""; done = 1 } in_section = $0 == section }
    in_section && $1 == key { next }
    { print }
    END { if (!done) { if (!in_section) print "\n" section; print key "=\"" value "\"" } }' "$ini" >"$ini.new"
  mv "$ini.new" "$ini"
}
store_clear() { rm -f "$ini"; }
end_session() { kill -TERM "$app_pid"; }

play_panel_scenario
[ -n "${E2E_SCREENSHOT:-}" ] && cp "$e2e_dir/red-panel.png" "$E2E_SCREENSHOT"
finish
