#!/usr/bin/env bash
# The hotkeys in a Wayland session, where the program binds them through the desktop portal's
# GlobalShortcuts: the real portal front end (xdg-desktop-portal) on a private session bus, with
# a test back end in the desktop's place that records each binding and presses a shortcut when
# asked. The program's windows stay on the private X display, as under XWayland.
#   1. The portal binds both shortcuts with the stored letters; a press of each shows and hides
#      the panel, and the X keys do nothing. New letters from the settings dialog rebind them.
#      An Activated signal from a connection that does not own the portal's name toggles nothing.
#      When the portal ends and starts again, the program says so and binds both once more.
#   2. A portal without GlobalShortcuts, one that refuses the session, and no portal at all: the
#      program grabs the keys on X, and says so; so does a desktop that never answers the session. The tray icon goes to a StatusNotifierItem tray
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
# Waits up to 20 s: longer than the program waits for a session.
wait_long() { for _ in 1 2 3 4; do wait_for "$@" && return 0; done; return 1; }
# The program's unique name on the bus, found by its process.
program_on_bus() {
  local name
  for name in $(gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
    --method org.freedesktop.DBus.ListNames | grep -o "':[0-9.]*'" | tr -d "'"); do
    [ "$(gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
      --method org.freedesktop.DBus.GetConnectionUnixProcessID "$name" 2>/dev/null)" = "(uint32 $app_pid,)" ] &&
      echo "$name" && return 0
  done
  return 1
}
# An Activated signal for that shortcut in the program's session, sent straight to the program by
# a connection of its own, not the portal's.
impostor_presses() {  # SHORTCUT_ID
  local session
  session=$(grep -o 'session /org/freedesktop/portal/desktop/session/[^ ]*' "$log" | tail -1 | cut -d' ' -f2)
  gdbus emit --session --dest "$(program_on_bus)" --object-path /org/freedesktop/portal/desktop \
    --signal org.freedesktop.portal.GlobalShortcuts.Activated "objectpath '$session'" "'$1'" "uint64 0" "@a{sv} {}"
}

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
sleep 0.5  # kept: the grace period of a check that nothing shows
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

check "an impostor sends show-panel's Activated straight to the program" impostor_presses show-panel
sleep 0.5  # kept: the grace period of a check that nothing shows
check "and shows no panel" panel_gone

# The portal ends (as when it crashes) and is started again.
stop_frontend
check "the log says the portal went away" wait_for logged "the desktop portal left the session bus"
start_frontend "$portals_with_shortcuts"
check "the log says the hotkeys are bound again" wait_for logged "the desktop portal is back"
check "a new session binds both shortcuts again" \
  wait_for test "$(grep -c '^session$' "$bindings")" -eq 2
check "with the letters in force" last_binding "show-panel=CTRL+ALT+J hide-panel=CTRL+ALT+K"
press_shortcut show-panel
check "show-panel shows the panel after the restart" wait_for panel_shown
press_shortcut hide-panel
check "hide-panel hides it" wait_for panel_gone
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

# A desktop that never answers the shortcuts session.
start_backend --silent
start_frontend "$portals_with_shortcuts"
start_lisotra lisotra-silent
check "a session never answered: the log says the keys are grabbed" \
  wait_long logged "hotkeys through X key grabs: the desktop portal did not answer"
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
