# shellcheck shell=bash
# The settings as a person changes them, by keyboard and mouse, played the same way on every
# desktop: Settings from the tray, new show and hide letters, Always on top, a colour picked in the
# picker (kept while the person looks at another program) and set, OK. The choices are stored, the
# new show letter then brings up a topmost panel in that colour, the old one does nothing, and a
# fresh start of the program keeps the new letters.
#
# Sourced after lib.sh by a script that has started its desktop and defines, for its desktop, what
# tray_scenario.sh names (launch, docked, icon_at, menu_open, choose, panels, store_clear,
# $tray_place) and:
#   start             launches the program (launch) and waits for its icon
#   stop              ends the program as a person would
#   press LETTER      presses Ctrl+Alt+LETTER as the program would receive it
#   stored KEY SECTION   prints the text stored under SECTION\KEY, or nothing
#   give_keyboard WINDOW X Y   gives the dialog WINDOW the keyboard, its focus on OK (X Y: a
#                     label of it a person may click for that)
#   retype TEXT       moves to the next field (Tab) and replaces its text by TEXT
#   client_click WINDOW X Y, client_pixel WINDOW X Y   a click on, the colour "r g b" of, the point
#                     (X, Y) of the window's client area
#   look_elsewhere    shows another program for the person to look at, its window in `other`
# and may define dialog_checks WINDOW, its own checks of the settings dialog, and done_looking,
# what follows the look at the other program.
# Then it calls play_settings_scenario.

panel() { panels | head -1; }
panel_shown() { [ -n "$(panel)" ]; }
panel_gone() { [ -z "$(panel)" ]; }
# The picker is drawn once its field shows pure red just inside its top-left corner (24 pixels in).
picker_drawn() { [ "$(client_pixel "$picker" 25 25)" = "255 0 0" ]; }
# A pick shows in the picker's swatch: sets `swatch` to what it shows, true once that is not $1.
swatch_left() { swatch=$(client_pixel "$picker" 330 80) && [ "$swatch" != "$1" ]; }
# The settings swatch shows colour $1: sets `shown_swatch`.
settings_swatch_is() { shown_swatch=$(client_pixel "$settings" $((3840 / 15 + 60)) $((1680 / 15 + 12))) && [ "$shown_swatch" = "$1" ]; }
# The middle of panel $id shows 140/255 of colour $1 over what $background_shot had there: sets
# `inside` and `expected`.
panel_shows() {
  local x y w h
  read -r x y w h < <(frame_of "$id") || return 1
  x=$((x + w / 2)) y=$((y + h / 2))
  expected=$(blend "$1" "$(pixel_in "$background_shot" "$x" "$y")")
  inside=$(pixel "$x" "$y") && near "$inside" "$expected" 6
}

play_settings_scenario() {
  local settings picker other first swatch shown_swatch back id r g b inside expected background_shot
  store_clear
  start
  check "the icon shows in $tray_place" docked
  click_icon 1
  wait_for menu_open
  choose settings
  check "Settings from the tray opens the settings dialog" wait_for shown "Lisotra Settings."
  settings=$(titled "Lisotra Settings.")
  wait_for drawn "$settings"
  import -window "$settings" "$e2e_dir/settings.png"
  [ "$(type -t dialog_checks)" = function ] && dialog_checks "$settings"
  give_keyboard "$settings" 20 175

  # By keyboard from OK, along the focus order: hide letter, show letter, run at startup, on top,
  # colour button.
  retype K
  retype j
  xdotool key Tab Tab space Tab space
  check "the colour button opens the picker" wait_for shown "Color Picker"
  picker=$(titled "Color Picker")
  wait_for picker_drawn
  import -window "$picker" "$e2e_dir/picker.png"
  first=$(client_pixel "$picker" 330 80)
  # The picker's field starts 24 pixels in; a click at (60, 30) of the field picks a green.
  client_click "$picker" $((24 + 60)) $((24 + 30))
  wait_for swatch_left "$first"
  check "the swatch shows the picked colour ($swatch), not red" test "$swatch" != "255 0 0"
  # The person looks at another program (the page being read) and comes back: the pick stays.
  look_elsewhere
  xdotool windowactivate --sync "$other" 2>/dev/null
  # Kept: the toolkit takes the other program's focus as final only after a moment, and nothing
  # the program shows tells when it has.
  sleep 1
  xdotool windowactivate --sync "$picker" 2>/dev/null
  # Kept: the pick is checked a moment after the focus comes back, for the picker to have
  # answered it; no sign shows that it has.
  sleep 0.3
  back=$(client_pixel "$picker" 330 80)
  [ "$(type -t done_looking)" = function ] && done_looking
  check "coming back from another program keeps the pick ($back)" test "$back" = "$swatch"
  client_click "$picker" $((256 + 76)) $((168 + 20))  # SET THIS COLOUR
  check "SET THIS COLOUR closes the picker" wait_for gone "Color Picker"
  xdotool windowactivate --sync "$settings" 2>/dev/null
  wait_for settings_swatch_is "$swatch"
  check "the settings swatch takes it ($shown_swatch)" test "$shown_swatch" = "$swatch"
  client_click "$settings" $((5880 / 15 + 36)) $((3480 / 15 + 12))  # OK
  check "OK closes the dialog" wait_for gone "Lisotra Settings."
  check "the letters are stored upper-cased" test "$(stored key default)/$(stored keystart default)" = "J/K"
  check "always on top is stored" test "$(stored ontop default)" = " 1"
  read -r r g b <<<"$swatch"
  check "the colour is stored" test "$(stored backcolor default)" = " $((r + 256 * g + 65536 * b))"

  press s
  sleep 0.5  # kept: the grace period of a check that nothing shows
  check "the old show letter does nothing" panel_gone
  background_shot=$e2e_dir/before.png
  import -window root "$background_shot"
  press j
  check "the new show letter shows the panel" wait_for panel_shown
  id=$(panel)
  check "the panel is topmost" bash -c "xprop -id $id _NET_WM_STATE | grep -q ABOVE"
  wait_for panel_shows "$swatch"
  check "the panel shows the picked colour ($inside, expected $expected)" near "$inside" "$expected" 6
  press k
  check "the new hide letter hides it" wait_for panel_gone

  stop
  start
  press j
  check "a fresh start keeps the new letters" wait_for panel_shown
}
