#!/usr/bin/env bash
# The hotkeys in a Wayland session, where the program binds them through the desktop portal's
# GlobalShortcuts: the real portal front end (xdg-desktop-portal) on a private session bus, with
# a test back end in the desktop's place that records each binding and presses a shortcut when
# asked. The program's windows stay on the private X display, as under XWayland.
#   1. The portal binds both shortcuts with the stored letters; a press of each shows and hides
#      the panel, and the X keys do nothing. New letters from the settings dialog rebind them.
#   2. A portal without GlobalShortcuts, one that refuses the session, and no portal at all: the
#      program grabs the keys on X, and says so. The tray icon goes to a StatusNotifierItem tray
#      where one runs.
set -u
lisotra=${1:?path to lisotra}
backend=${2:?path to the portal test back end}
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
# shellcheck source=portal_lib.sh
. "$(dirname "$0")/portal_lib.sh"
desktop_start
portal_start "$backend"
start_lisotra() {  # LOG_NAME
  log=$e2e_dir/$1.log
  "${as_in_wayland[@]}" "$lisotra" >"$log" 2>&1 &
  app_pid=$!
}
stop_lisotra() { kill "$app_pid"; wait "$app_pid" 2>/dev/null; app_pid=""; }
logged() { grep -q "$1" "$log"; }
last_binding() { [ "$(tail -1 "$bindings" 2>/dev/null)" = "$1" ]; }
panel_shown() { [ -n "$(panel)" ]; }
panel_gone() { [ -z "$(panel)" ]; }
icon_at() {
  xwininfo -root -tree | grep -E '"Lisotra": \("lisotra"' |
    awk '$5 ~ /^2[0-9]x2[0-9]\+/ {split($6,p,"+"); print p[2] + 11, p[3] + 11; exit}'
}
docked() { [ -n "$(icon_at)" ]; }

# 1. The portal serves.
start_backend
start_frontend "$portals_with_shortcuts"
version=$(gdbus call --session --dest org.freedesktop.portal.Desktop --object-path /org/freedesktop/portal/desktop \
  --method org.freedesktop.DBus.Properties.Get org.freedesktop.portal.GlobalShortcuts version 2>&1)
echo "portal front end: $(dpkg-query -W -f='${Version}' xdg-desktop-portal 2>/dev/null), GlobalShortcuts $version"
start_lisotra lisotra-portal
check "the portal binds both shortcuts with the stored letters" \
  wait_for last_binding "show-panel=CTRL+ALT+S hide-panel=CTRL+ALT+L"
check "the log says the hotkeys go through the portal" wait_for logged "hotkeys through the desktop portal"
check "the log names the triggers the desktop bound" wait_for logged "bound the hotkeys: show-panel = CTRL+ALT+S, hide-panel = CTRL+ALT+L"
wait_for docked
press_shortcut show-panel
check "the portal's show-panel shows the panel" wait_for panel_shown
press_shortcut hide-panel
check "the portal's hide-panel hides it" wait_for panel_gone
xdotool key ctrl+alt+s
sleep 0.5
check "the X keys are not grabbed as well" panel_gone

# New letters through the settings dialog: Settings from the tray, from OK along the focus order
# the hide letter, then the show letter; Enter presses OK.
check "Settings from the tray opens the settings dialog" open_settings
xdotool key Tab ctrl+a type K
xdotool key Tab ctrl+a
xdotool type j
xdotool key Return
check "OK closes the dialog" wait_for gone "Lisotra Settings."
check "OK rebinds both shortcuts with the new letters" \
  wait_for last_binding "show-panel=CTRL+ALT+J hide-panel=CTRL+ALT+K"
check "in the same session" test "$(grep -c '^session$' "$bindings")" -eq 1
press_shortcut show-panel
check "show-panel still shows the panel" wait_for panel_shown
press_shortcut hide-panel
check "hide-panel still hides it" wait_for panel_gone
stop_lisotra
stop_helpers

# 2. A portal without GlobalShortcuts; a StatusNotifierItem tray.
start_backend --watcher
start_frontend "$portals_without_shortcuts"
start_lisotra lisotra-no-global-shortcuts
check "without GlobalShortcuts the log says the keys are grabbed" wait_for logged "hotkeys through X key grabs: no desktop portal with GlobalShortcuts"
check "the tray icon registers with the StatusNotifierItem tray" wait_for grep -q "^item " "$bindings"
xdotool key ctrl+alt+j
check "the grabbed show key shows the panel" wait_for panel_shown
xdotool key ctrl+alt+k
check "the grabbed hide key hides it" wait_for panel_gone
stop_lisotra
stop_helpers

# A desktop that refuses the shortcuts session.
start_backend --refuse
start_frontend "$portals_with_shortcuts"
start_lisotra lisotra-refused
check "a refused session: the log says the keys are grabbed" wait_for logged "hotkeys through X key grabs: the desktop portal refused"
xdotool key ctrl+alt+j
check "the grabbed show key shows the panel" wait_for panel_shown
stop_lisotra
stop_helpers

# No portal on the bus at all.
start_lisotra lisotra-no-portal
check "without a portal the log says the keys are grabbed" wait_for logged "hotkeys through X key grabs: no desktop portal"
wait_for docked
xdotool key ctrl+alt+j
check "the grabbed show key shows the panel" wait_for panel_shown
stop_lisotra

finish
