#!/usr/bin/env bash
# The Linux program while monitors come and go: the 1280 x 800 screen of the private desktop is
# made two RandR monitors side by side (640 x 800 each; Qt sees each as a screen), and the right
# one is unplugged with the panel on it, shown and hidden; then the right one is scaled by 1.5.
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

# Qt scales each screen by its own factor, and the program's pixels are Qt's device-independent
# ones: at 1.5 on the right monitor, the stored 4500 x 3000 twips (300 x 200 of those pixels) are a
# frame of 450 x 300 of the screen's, and stay stored as they were.
plug_right
store " 12000" window left
store " 1500" window top
QT_SCREEN_SCALE_FACTORS="1;1.5" start_program
check "at a scale of 1.5 Ctrl+Alt+S shows the panel" wait_for show_panel s
# Within a screen pixel of 450 x 300: the frame's borders are whole pixels of either kind.
scaled_frame() {
  local w h
  read -r _ _ w h < <(frame_of "$(panel)")
  [ $((w - 450)) -ge -2 ] && [ $((w - 450)) -le 2 ] && [ $((h - 300)) -ge -2 ] && [ $((h - 300)) -le 2 ]
}
check "its frame is 450 x 300 screen pixels ($(frame_of "$(panel)"))" wait_for scaled_frame
# Both are whole pixels of either kind, so the window manager's frame, when it comes late (a busy
# machine), can settle the size one of the program's pixels (15 twips) off, and a resize stores it.
stored_near() {  # left top width height, in the program's pixels
  local want got i
  read -r -a want < <(twips "$@")
  read -r -a got < <(echo "$(stored_place) $(stored_size)")
  for i in 0 1 2 3; do
    [ $((got[i] - want[i])) -ge -15 ] && [ $((got[i] - want[i])) -le 15 ] || return 1
  done
}
check "and the stored frame is unchanged, to a pixel ($(stored_place) $(stored_size))" stored_near 800 100 300 200
stop
app_pid=""
finish
