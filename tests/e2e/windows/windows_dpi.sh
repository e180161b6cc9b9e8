#!/usr/bin/env bash
# The Windows program under wine at 96 and at 144 dots per inch (Wine's LogPixels, read when a
# program starts): the panel's stored twips give the same size in inches, so 1.5 times the pixels
# at 144, and the settings dialog grows by the same factor.
#   windows_dpi.sh LISOTRA.EXE WINEPREFIX
# The prefix is this test's own: the DPI it sets is no other test's.
set -u
declare -A dialog
exe=$(realpath "${1:?path to lisotra.exe}")
prefix=$(realpath -m "${2:?wine prefix}")
# shellcheck source=../lib.sh
. "$(dirname "$0")/../lib.sh"
# shellcheck source=../panel_scenario.sh
. "$(dirname "$0")/../panel_scenario.sh"
# shellcheck source=wine_lib.sh
. "$(dirname "$0")/wine_lib.sh"
wine_desktop_start "$prefix" without_tray
start_focus_window

size_of() { frame_of "$1" | cut -d' ' -f3,4; }
panel_sized() { same "$(size_of "$(panel)")" "$1"; }
# $1 is within 3 pixels of 1.5 times $2 (each "w h").
scaled_by_half_again() {
  local a b
  read -r -a a <<<"$1"
  read -r -a b <<<"$2"
  for i in 0 1; do
    local d=$((2 * a[i] - 3 * b[i]))
    [ "${d#-}" -le 6 ] || return 1
  done
}

for dpi in 96 144; do
  reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f
  store " 6000" window width
  store " 4500" window height
  store " 1500" window left
  store " 1500" window top
  start
  pixels="$((6000 * dpi / 1440)) $((4500 * dpi / 1440))"
  check "at $dpi dpi Ctrl+Alt+S shows the panel" wait_for show_panel s
  check "6000 x 4500 twips are $pixels pixels ($(size_of "$(panel)"))" panel_sized "$pixels"
  check "Ctrl+Alt+L hides it" hide_panel
  check "and stores the size unchanged ($(stored_size))" same "$(stored_size)" " 6000  4500"
  click_icon 1
  wait_for menu_open
  # The menu grows with the DPI: Settings, 36 pixels down at 96, is as much further down.
  read -r x y < <(place_of "$(menu)") && xdotool mousemove $((x + 30)) $((y + 36 * dpi / 96)) click 1
  check "at $dpi dpi the settings dialog shows" wait_for shown "Lisotra Settings."
  dialog[$dpi]=$(size_of "$(titled "Lisotra Settings.")")
  # Its controls are laid out at the same scale: OK, 5880 x 3480 twips into the client area (the
  # X window here: the window manager draws the frame), is where a click closes the dialog.
  read -r x y _ _ < <(frame_of "$(titled "Lisotra Settings.")")
  xdotool mousemove $((x + (5880 / 15 + 36) * dpi / 96)) $((y + (3480 / 15 + 12) * dpi / 96)) click 1
  check "a click on OK, where it is at that scale, closes it" wait_for gone "Lisotra Settings."
  stop
done
check "at 144 dpi the dialog is half as large again (${dialog[144]}; ${dialog[96]} at 96)" \
  scaled_by_half_again "${dialog[144]}" "${dialog[96]}"
finish
