#!/usr/bin/env bash
# The Linux program as a person uses it: hotkeys show and hide a translucent yellow panel, its
# place and size are stored, and stored choices take effect.
set -u
lisotra=${1:?path to lisotra}
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
desktop_start
ini=$XDG_CONFIG_HOME/Lisotra/Lisotra.ini

start() {
  "$lisotra" >"$e2e_dir/lisotra.log" 2>&1 &
  app_pid=$!
  # Ready once its key grabs are in: an X program's grabs show in no property, so wait for the
  # hotkey to work.
  wait_for show_panel
}
panel_shown() { [ -n "$(panel)" ]; }
panel_gone() { [ -z "$(panel)" ]; }
show_panel() { xdotool key ctrl+alt+s; sleep 0.1; panel_shown; }
hide_panel() { xdotool key ctrl+alt+l; wait_for panel_gone; }
stored() { sed -n "s/^$1=//p" "$ini"; }
frame_of() {  # the frame window's x y w h: the panel's parent under openbox
  local id=$1 parent
  parent=$(xwininfo -children -id "$id" | sed -n 's/.*Parent window id: \(0x[0-9a-f]*\).*/\1/p')
  xwininfo -id "$parent" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}'
}
net_state() { xprop -id "$(panel)" _NET_WM_STATE; }

# An empty store: Ctrl+Alt+S shows a mapped, translucent, yellow panel, out of the taskbar.
start
check "Ctrl+Alt+S shows the panel" panel_shown
id=$(panel)
check "opacity is 140/255" test "$(xprop -id "$id" _NET_WM_WINDOW_OPACITY | awk '{print $3}')" = $(((140 * 0xffffffff + 127) / 255))
check "not in the taskbar or pager" bash -c "xprop -id $id _NET_WM_STATE | grep -q SKIP_TASKBAR && xprop -id $id _NET_WM_STATE | grep -q SKIP_PAGER"
check "not topmost on an empty store" bash -c "! xprop -id $id _NET_WM_STATE | grep -q ABOVE"
read -r x y w h < <(frame_of "$id")
background=$(pixel 5 5)
inside=$(pixel $((x + w / 2)) $((y + h / 2)))
blend=$(blend "255 255 0" "$background")
check "the screenshot blends yellow over the desktop ($inside, expected $blend)" near "$inside" "$blend" 6
check "the first show stores the geometry" test "$(stored width)" = "\" $((w * 15))\""

# A resize is stored as number texts; a move alone is not; Ctrl+Alt+L hides and stores the place.
first_width=$(stored width)
xdotool windowsize "$id" 400 300
width_changed() { [ "$(stored width)" != "$first_width" ]; }
wait_for width_changed
read -r x y w h < <(frame_of "$id")
check "a resize stores the width as a number text" test "$(stored width)" = "\" $((w * 15))\""
check "and the height" test "$(stored height)" = "\" $((h * 15))\""
xdotool windowmove "$id" 200 150
sleep 0.3
check "a move alone stores nothing" test "$(stored left)" = "\" $((x * 15))\""
read -r x y w h < <(frame_of "$id")
hide_panel
check "Ctrl+Alt+L hides the panel" panel_gone
check "hiding stores the place" test "$(stored left) $(stored top)" = "\" $((x * 15))\" \" $((y * 15))\""
show_panel
check "the next Ctrl+Alt+S restores the place and size" test "$(frame_of "$(panel)")" = "$x $y $w $h"
hide_panel

# Stored colour and always-on-top take effect at the next show.
sed -i 's/^\[window\]/[default]\nbackcolor=" 255"\nontop=" 1"\n\n[window]/' "$ini"
show_panel
id=$(panel)
check "a stored ontop puts the panel above others" bash -c "xprop -id $id _NET_WM_STATE | grep -q ABOVE"
read -r x y w h < <(frame_of "$id")
inside=$(pixel $((x + w / 2)) $((y + h / 2)))
blend=$(blend "255 0 0" "$background")
check "a stored colour 255 gives a red panel ($inside, expected $blend)" near "$inside" "$blend" 6
import -window root "$e2e_dir/red-panel.png"
hide_panel

# The lock keys do not break the hotkeys.
for lock in Caps_Lock Num_Lock; do
  show_panel
  xdotool key "$lock"
  check "Ctrl+Alt+L with $lock on" hide_panel
  check "Ctrl+Alt+S with $lock on" show_panel
  hide_panel
  xdotool key "$lock"
done

# The session ends (SIGTERM): the panel's place is stored first.
show_panel
xdotool windowmove "$(panel)" 300 200
sleep 0.3
read -r x y w h < <(frame_of "$(panel)")
kill -TERM "$app_pid"
wait "$app_pid"
check "the end of the session stores the panel's place" test "$(stored left) $(stored top)" = "\" $((x * 15))\" \" $((y * 15))\""
app_pid=""

# A new run restores the stored size whole, before it knows the window manager's frame.
start
check "a new run restores the stored place and size" test "$(frame_of "$(panel)")" = "$x $y $w $h"

# A second copy cannot take the keys the first holds, and keeps running.
"$lisotra" >"$e2e_dir/second.log" 2>&1 &
second=$!
sleep 0.5
check "a second copy starts and keeps running" kill -0 "$second"
hide_panel
check "the first copy keeps its hotkeys" show_panel
kill "$second"

[ -n "${E2E_SCREENSHOT:-}" ] && cp "$e2e_dir/red-panel.png" "$E2E_SCREENSHOT"
finish
