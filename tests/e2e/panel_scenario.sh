# shellcheck shell=bash
# The reading panel as a person uses it, played the same way on every desktop: hotkeys show and
# hide a translucent yellow panel with no taskbar button, a resize stores its size as number texts,
# a move alone stores nothing, hiding stores the place and the next show restores it, the shown
# panel takes the arrow keys and Escape, stored
# choices (colour, always on top, hotkey letters, place and size) take effect, the lock keys do not
# break the hotkeys, a second copy leaves the first one its hotkeys, and the end of the session
# stores the place.
#
# Sourced after lib.sh by a script that has started its desktop and defines, for its desktop:
#   launch LOG            starts the program in the background, its output to $e2e_dir/LOG
#   press LETTER          presses Ctrl+Alt+LETTER as the program would receive it
#   panels                prints the ids of the mapped reading panels, one a line
#   frame_of ID           prints the x y w h of the panel's frame (lib.sh has openbox's)
#   stored KEY            prints the text stored under window\KEY, or nothing
#   store VALUE SECTION KEY  stores the text VALUE under SECTION\KEY
#   store_clear           empties the store
#   end_session           asks the program to end as the end of the session does
# and may define panel_checks ID: its own checks of the first panel shown.
# Then it calls play_panel_scenario.

panel() { panels | head -1; }
panel_shown() { [ -n "$(panel)" ]; }
panel_gone() { [ -z "$(panel)" ]; }
show_panel() { press "${1:-s}"; wait_briefly panel_shown; }  # retried with wait_for while starting
hide_panel() { press "${1:-l}"; wait_for panel_gone; }
hide_stores() { press l; wait_briefly width_stored; }  # retried with wait_for while starting
width_stored() { [ -n "$(stored width)" ]; }
has_state() { xprop -id "$1" _NET_WM_STATE | grep -q "$2"; }
lacks_state() { ! has_state "$@"; }
panel_owners() { local id; for id in $(panels); do xprop -id "$id" _NET_WM_PID | awk '{print $3}'; done; }
ended() { ! ps -o stat= -p "$1" | grep -qv Z; }  # gone, or a zombie not yet reaped

# Within play_panel_scenario: true once panel $id has a size other than $size and that size is
# stored; sets its x y w h.
resized() { read -r x y w h < <(frame_of "$id") && [ "$w $h" != "$size" ] && same "$(stored_size)" "$(twips "$w" "$h")"; }

start_program() {
  launch lisotra.log
  app_pid=$!
}

# Checks that the middle of panel $2 shows 140/255 of colour $3 ("r g b") over what lay there
# before the program started; $1 says what is checked.
check_blend() {
  local x y w h inside under expected
  read -r x y w h < <(frame_of "$2")
  x=$((x + w / 2)) y=$((y + h / 2))
  inside=$(pixel "$x" "$y")
  under=$(pixel_in "$background_shot" "$x" "$y")
  expected=$(blend "$3" "$under")
  check "$1 ($inside, expected $expected)" near "$inside" "$expected" 6
}

play_panel_scenario() {
  local id x y w h size place moved second

  # An empty store: Ctrl+Alt+L before any panel was shown stores the panel's design frame, where
  # the next Ctrl+Alt+S shows a translucent yellow panel, out of the taskbar, not topmost.
  store_clear
  background_shot=$e2e_dir/before.png
  import -window root "$background_shot"
  start_program
  check "Ctrl+Alt+L with no panel stores a place and size" wait_for hide_stores
  design="$(stored_place) $(stored_size)"
  check "Ctrl+Alt+S shows the panel" wait_for show_panel s
  id=$(panel)
  [ -n "$id" ] || { cat "$e2e_dir/lisotra.log"; finish; exit 1; }
  check "it is translucent: opacity 140/255" \
    same "$(xprop -id "$id" _NET_WM_WINDOW_OPACITY | awk '{print $3}')" $(((140 * 0xffffffff + 127) / 255))
  check "it has no taskbar button" has_state "$id" _NET_WM_STATE_SKIP_TASKBAR
  check "nor a pager entry" has_state "$id" _NET_WM_STATE_SKIP_PAGER
  check "it is not topmost on an empty store" lacks_state "$id" _NET_WM_STATE_ABOVE
  [ "$(type -t panel_checks)" = function ] && panel_checks "$id"
  check_blend "the screenshot blends yellow over what lies under it" "$id" "255 255 0"
  cp "$e2e_dir/shot.png" "$e2e_dir/yellow-panel.png"
  read -r x y w h < <(frame_of "$id")
  check "the first show stores the place and size ($(stored_place) $(stored_size))" \
    same "$(stored_place) $(stored_size)" "$(twips "$x" "$y" "$w" "$h")"
  check "which the hide before it had stored ($design; shown at $x $y $w $h)" same "$design" "$(twips "$x" "$y" "$w" "$h")"
  hide_panel
  store_clear
  show_panel
  check "the panel's own first frame has that size too" same "$(frame_of "$(panel)" | cut -d' ' -f3,4)" "$w $h"
  id=$(panel)

  # A resize is stored at once, as number texts; a move alone is not; hiding stores the place,
  # and the next show restores place and size.
  size="$w $h"
  xdotool windowsize "$id" 400 300
  wait_for resized
  check "a resize stores the new size ($size to $w $h; stored $(stored_size))" resized
  place=$(twips "$x" "$y")
  check "the panel moves" move_window "$id" 200 150
  check "a move alone stores nothing (moved from $x $y to $moved; stored $(stored_place))" \
    same "$(stored_place)" "$place"
  check "Ctrl+Alt+L hides the panel" hide_panel
  check "hiding stores the place it was moved to ($(stored_place))" same "$(stored_place)" "$(twips "$moved")"
  show_panel
  check "the next Ctrl+Alt+S restores the place and size" same "$(frame_of "$(panel)")" "$moved $w $h"

  # A click gives the panel the keyboard (under wine the window manager does not give it to a
  # window that the program, not the person, brought up): Right moves it a pixel, Escape hides it
  # as its close button does, storing the place.
  id=$(panel)
  read -r x y w h < <(frame_of "$id")
  xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
  check "a click gives the panel the keyboard focus" wait_for focused "$id"
  xdotool key Right
  check "Right moves it a pixel" wait_for left_place "$id" "$x $y"
  check "to $((x + 1)) $y" same "$(place_of "$id")" "$((x + 1)) $y"
  xdotool key Escape
  check "Escape hides it" wait_for panel_gone
  check "and stores the place the key moved it to ($(stored_place))" same "$(stored_place)" "$(twips $((x + 1)) "$y")"

  # A colour stored while the program runs shows at the next show.
  store " 16711680" default backcolor
  show_panel
  check_blend "a colour stored while running shows at the next show" "$(panel)" "0 0 255"

  # The lock keys do not break the hotkeys.
  for lock in Caps_Lock Num_Lock; do
    xdotool key "$lock"
    check "Ctrl+Alt+L hides with $lock on" hide_panel
    check "Ctrl+Alt+S shows with $lock on" show_panel
    xdotool key "$lock"
  done

  # Ended, so that what is stored next is what the next start finds.
  hide_panel
  kill "$app_pid"
  wait "$app_pid" 2>/dev/null

  # Choices stored before the program starts take effect: hotkey letters, colour, always on top,
  # and the place and size whole (the frame, not the window inside it).
  store "A" default key
  store "B" default keystart
  store " 255" default backcolor
  store " 1" default ontop
  store " 5400" window width
  store " 3000" window height
  store " 1500" window left
  store " 2250" window top
  start_program
  check "the stored show letter works: Ctrl+Alt+A" wait_for show_panel a
  id=$(panel)
  check "the stored place and size are applied whole ($(frame_of "$id"))" same "$(frame_of "$id")" "100 150 360 200"
  check "a stored ontop puts the panel above others" has_state "$id" _NET_WM_STATE_ABOVE
  check_blend "a stored colour 255 gives a red panel" "$id" "255 0 0"
  cp "$e2e_dir/shot.png" "$e2e_dir/red-panel.png"
  press l
  sleep 0.5  # kept: the grace period of a check that nothing happens
  check "Ctrl+Alt+L is no longer the hide key" panel_shown
  check "the stored hide letter works: Ctrl+Alt+B" hide_panel b
  press s
  sleep 0.5  # kept: the grace period of a check that nothing happens
  check "Ctrl+Alt+S is no longer the show key" panel_gone

  # A second copy cannot take the keys the first holds, keeps running, and leaves the first its
  # hotkeys: the panel that shows and hides is the first copy's.
  launch second.log
  second=$!
  sleep 1  # kept: the copy is checked to be still running after a while
  check "a second copy starts and keeps running" kill -0 "$second"
  check "the first copy's Ctrl+Alt+A still shows its panel" wait_for show_panel a
  check "one panel, the first copy's" same "$(panel_owners)" "$app_pid"
  check "and its Ctrl+Alt+B still hides it" hide_panel b
  kill "$second"
  wait "$second" 2>/dev/null

  # The session ends: the program lets it end and stores the panel's place first. This comes
  # last: a desktop may end every program with the session (wine does, its focus window too).
  show_panel a
  check "the panel moves again" move_window "$(panel)" 300 200
  end_session
  check "the program lets the session end" wait_for ended "$app_pid"
  wait "$app_pid" 2>/dev/null
  app_pid=""
  check "and stores the panel's place first ($moved; stored $(stored_place))" same "$(stored_place)" "$(twips "$moved")"
}
