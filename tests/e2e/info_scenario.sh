# shellcheck shell=bash
# The About box and the donate window as a person uses them, played the same way on every desktop:
# both from the tray, OK and Escape close the About box, its link and the donate picture reach the
# browser (a click on the message does not), System Info says when there is no tool, and the
# donate window sits at the bottom right of the screen.
#
# Sourced after lib.sh by a script that has started its desktop and defines, for its desktop, what
# tray_scenario.sh names (launch, docked, icon_at, menu_open, choose, $tray_place), give_keyboard
# and client_click as settings_scenario.sh names them, and:
#   use WINDOW CONTROL   uses the About box's link, sysinfo (System Info...) or ok, in that order
#   corner WINDOW     prints the x y of the bottom right corner of the window's frame
# and may define icon_docked: what follows the icon's docking on its desktop.
# Then it calls play_info_scenario (after make_browser and the desktop's way to use it).

opened_count() { grep -c "^$1\$" "$e2e_dir/opened" 2>/dev/null || true; }
opened_times() { [ "$(opened_count "$1")" = "$2" ]; }  # counted again at each try of wait_for
# 100 twips (7 pixels) from the right of the 1280 x 800 screen, 1200 twips (80) above its bottom.
at_bottom_right() { [ "$(corner "$1")" = "1273 720" ]; }
open_from_menu() {  # ITEM TITLE: chooses ITEM in the icon's menu, sets `window` to the window titled TITLE
  click_icon 1
  wait_for menu_open
  choose "$1"
  wait_for shown "$2"
  window=$(titled "$2")
  wait_for drawn "$window"
}

play_info_scenario() {
  local window about donate
  launch lisotra.log
  app_pid=$!
  check "the icon shows in $tray_place" wait_for docked
  [ "$(type -t icon_docked)" = function ] && icon_docked

  open_from_menu about "About Lisotra"
  check "About from the tray opens the About box" shown "About Lisotra"
  about=$window
  import -window "$about" "$e2e_dir/about.png"
  give_keyboard "$about" 100 40  # the description
  xdotool key Escape
  check "Escape closes it" wait_for gone "About Lisotra"
  open_from_menu about "About Lisotra"
  about=$window
  use "$about" link
  check "the link opens the home page" wait_for opened_times 'https://lisotra.org/\?' 1
  use "$about" sysinfo
  check "System Info without a tool says so" wait_for shown Lisotra
  xdotool key Return
  check "and its OK closes the message" wait_for gone Lisotra
  check "the About box stays open meanwhile" shown "About Lisotra"
  use "$about" ok
  check "OK closes it" wait_for gone "About Lisotra"

  open_from_menu donate "Lisotra - donate"
  check "Donate from the tray opens the donate window" shown "Lisotra - donate"
  donate=$window
  wait_for at_bottom_right "$donate"
  import -window "$donate" "$e2e_dir/donate.png"
  check "it sits at the bottom right ($(corner "$donate"))" at_bottom_right "$donate"
  client_click "$donate" 100 40  # the message
  sleep 1  # kept: the grace period of a check that nothing opens
  check "a click on the message opens nothing" test "$(opened_count https://lisotra.org/say-thanks)" = 0
  # Two clicks, not one double-click: the second lands farther from the first than a double-click
  # may.
  client_click "$donate" $((5280 / 15 + 90)) $((1800 / 15 + 25))
  client_click "$donate" $((5280 / 15 + 60)) $((1800 / 15 + 20))
  check "each click on the picture opens the thanks page" wait_for opened_times https://lisotra.org/say-thanks 2
}
