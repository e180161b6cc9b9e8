#!/usr/bin/env bash
# The Linux program while monitors come and go: the 1280 x 800 screen of the private desktop is
# made two RandR monitors side by side (640 x 800 each; Qt sees each as a screen), and the right
# one is unplugged with the panel on it, shown and hidden.
set -u
lisotra=${1:?path to lisotra}
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
# shellcheck source=panel_scenario.sh
. "$(dirname "$0")/panel_scenario.sh"
# shellcheck source=linux_desktop.sh
. "$(dirname "$0")/linux_desktop.sh"

plug_right() { xrandr --setmonitor right 640/169x800/212+640+0 none >/dev/null; }
unplug_right() { xrandr --delmonitor right >/dev/null; }
monitors() { xrandr --listmonitors | head -1 | awk '{print $2}'; }
framed_at() { same "$(frame_of "$(panel)")" "$1"; }
stored_at() { same "$(stored_place) $(stored_size)" "$(twips $1)"; }

xrandr --setmonitor left 640/169x800/212+0+0 screen >/dev/null
plug_right
check "the screen is two monitors" same "$(monitors)" 2

# Shown on the right monitor when it is unplugged: the panel moves whole onto the left one, as near
# as it fits to where it was, and that is stored.
store " 4500" window width
store " 3000" window height
store " 12000" window left
store " 1500" window top
start_program
check "Ctrl+Alt+S shows the panel" wait_for show_panel s
check "on the right monitor ($(frame_of "$(panel)"))" framed_at "800 100 300 200"
unplug_right
check "the right monitor is unplugged" same "$(monitors)" 1
check "the panel moves onto the left one ($(frame_of "$(panel)"))" wait_for framed_at "340 100 300 200"
check "and its new place is stored ($(stored_place) $(stored_size))" wait_for stored_at "340 100 300 200"

# A monitor plugged in moves nothing; hidden while the right monitor goes, the panel is placed by
# the same rule at its next show.
plug_right
check "the right monitor is back" same "$(monitors)" 2
check "the panel moves to it" move_window "$(panel)" 800 100
check "Ctrl+Alt+L hides the panel" hide_panel
check "hiding stores its place on the right monitor ($(stored_place))" same "$(stored_place)" "$(twips "$moved")"
unplug_right
check "with the right monitor gone, the hidden panel's place is kept ($(stored_place))" \
  same "$(stored_place)" "$(twips "$moved")"
check "the next Ctrl+Alt+S shows the panel" show_panel
check "on the left monitor, at the same height ($(frame_of "$(panel)"))" framed_at "340 ${moved#* } 300 200"

stop
app_pid=""
finish
