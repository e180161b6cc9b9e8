#!/usr/bin/env bash
# The Windows program under wine as a person uses it: the panel scenario (../panel_scenario.sh),
# with the settings in the registry and the hotkeys pressed in a wine window, and a panel owned by
# the program's hidden window.
#   windows_panel.sh LISOTRA.EXE WINEPREFIX
# The prefix is this test's own (made on first use): its wine server then serves this test's
# display and registry only.
set -u
exe=$(realpath "${1:?path to lisotra.exe}")
prefix=$(realpath -m "${2:?wine prefix}")  # wine takes only an absolute one
# shellcheck source=../lib.sh
. "$(dirname "$0")/../lib.sh"
# shellcheck source=../panel_scenario.sh
. "$(dirname "$0")/../panel_scenario.sh"
# shellcheck source=wine_lib.sh
. "$(dirname "$0")/wine_lib.sh"
wine_desktop_start "$prefix"

key=HKCU\\Software\\Lisotra
reg() { "$wine_run" "$prefix" reg "$@" >/dev/null 2>&1; }
stored() {  # the REG_SZ text of window\$1, as `wine reg query` shows it
  "$wine_run" "$prefix" reg query "$key\\window" /v "$1" 2>/dev/null | tr -d '\r' |
    sed -n "s/^    $1    REG_SZ    \(.*\)$/\1/p"
}
store() { reg add "$key\\$2" /v "$3" /t REG_SZ /d "$1" /f; }
store_clear() { reg delete "$key" /f; }

# Wine hands hotkeys to its programs only while one of its windows has the X focus.
"$wine_run" "$prefix" notepad >"$e2e_dir/notepad.log" 2>&1 &
focus_pid=$!
focus_window() { xdotool search --onlyvisible --name 'Notepad' 2>/dev/null | head -1; }
focus_ready() { [ -n "$(focus_window)" ]; }
wait_for focus_ready
press() {
  xdotool windowactivate --sync "$(focus_window)" 2>/dev/null
  xdotool key "ctrl+alt+$1"
}

# Under wine the new tray icon docks just after start-up, and a window mapped meanwhile may be
# placed by the window manager instead of where the program asked (seen once in many runs, the
# stored place off by 100 pixels): the scenario's first key press waits for the docking to end.
launch() {
  "$wine_run" "$prefix" "$exe" >"$e2e_dir/$1" 2>&1 &
  sleep 1
}
panels() { xdotool search --onlyvisible --name '^Lisotra$' 2>/dev/null; }
panel_checks() { check "it is owned by a hidden window" bash -c "xprop -id $1 WM_TRANSIENT_FOR | grep -q 'window id'"; }
# wineboot -e asks every window to end, as a log-off does.
end_session() { "$wine_run" "$prefix" wineboot -e >/dev/null 2>&1; }

play_panel_scenario
[ -n "${E2E_SCREENSHOT:-}" ] && cp "$e2e_dir/yellow-panel.png" "$E2E_SCREENSHOT"
finish
