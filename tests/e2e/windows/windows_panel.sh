#!/usr/bin/env bash
# The Windows program under wine as a person uses it: hotkeys show and hide a translucent yellow
# panel with no taskbar button, its place and size land in the registry as number texts, values
# put in the registry beforehand take effect, and the end of the session stores the panel's place.
#   windows_panel.sh LISOTRA.EXE WINEPREFIX
# The prefix is this test's own (made on first use): its wine server then serves this test's
# display and registry only.
set -u
exe=$(realpath "${1:?path to lisotra.exe}")
prefix=${2:?wine prefix}
# shellcheck source=../lib.sh
. "$(dirname "$0")/../lib.sh"
# shellcheck source=wine_lib.sh
. "$(dirname "$0")/wine_lib.sh"
wine_run="$(cd "$(dirname "$0")/../../platform/win32" && pwd)/wine.sh"
desktop_start
wine_prefix_start "$prefix"

wine_stop() {
  [ -n "${focus_pid:-}" ] && kill "$focus_pid" 2>/dev/null
  wineserver -k 2>/dev/null
  desktop_stop
}
trap wine_stop EXIT

key=HKCU\\Software\\Lisotra
reg() { "$wine_run" "$prefix" reg "$@" >/dev/null 2>&1; }
stored() {  # the REG_SZ text of window\$1, quoted, as `wine reg query` shows it
  local text
  text=$("$wine_run" "$prefix" reg query "$key\\window" /v "$1" 2>/dev/null | tr -d '\r' |
    sed -n "s/^    $1    REG_SZ    \(.*\)$/\1/p")
  echo "\"$text\""
}
put() { reg add "$key\\$1" /v "$2" /t REG_SZ /d "$3" /f; }

# Wine hands hotkeys to its programs only while one of its windows has the X focus.
"$wine_run" "$prefix" notepad >"$e2e_dir/notepad.log" 2>&1 &
focus_pid=$!
focus_window() { xdotool search --onlyvisible --name 'Notepad' 2>/dev/null | head -1; }
focus_ready() { [ -n "$(focus_window)" ]; }
wait_for focus_ready
press() {  # Ctrl+Alt+letter, from the focused wine window
  xdotool windowactivate --sync "$(focus_window)" 2>/dev/null
  xdotool key "ctrl+alt+$1"
}

start() {
  "$wine_run" "$prefix" "$exe" >"$e2e_dir/lisotra.log" 2>&1 &
  app_pid=$!
}
stop() {
  kill "$app_pid" 2>/dev/null
  wait "$app_pid" 2>/dev/null
  app_pid=""
}
panel() { xdotool search --onlyvisible --name '^Lisotra$' 2>/dev/null | head -1; }
panel_shown() { [ -n "$(panel)" ]; }
panel_gone() { [ -z "$(panel)" ]; }
show_panel() {  # $1: the show letter; retried while the program starts
  press "${1:-s}"
  sleep 0.2
  panel_shown
}
hide_panel() { press "${1:-l}"; wait_for panel_gone; }
geometry() { xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}'; }
has_state() { xprop -id "$1" _NET_WM_STATE | grep -q "$2"; }
# Checks that the middle of panel $2 shows 140/255 of colour $3 ("r g b") over what lay there
# before the program started; $1 says what is checked.
check_blend() {
  local x y w h inside under expected
  read -r x y w h < <(geometry "$2")
  x=$((x + w / 2)) y=$((y + h / 2))
  inside=$(pixel "$x" "$y")
  under=$(pixel_in "$background_shot" "$x" "$y")
  expected=$(blend "$3" "$under")
  check "$1 ($inside, expected $expected)" near "$inside" "$expected" 6
}

# An empty store: the hotkeys are Ctrl+Alt+S and Ctrl+Alt+L.
reg delete "$key" /f
start
background_shot=$e2e_dir/before.png
import -window root "$background_shot"
check "Ctrl+Alt+S shows the panel" wait_for show_panel s
id=$(panel)
read -r x y w h < <(geometry "$id")
check "it is layered at 140/255" test "$(xprop -id "$id" _NET_WM_WINDOW_OPACITY | awk '{print $3}')" = $(((140 * 0xffffffff + 127) / 255))
check "it has no taskbar button" has_state "$id" _NET_WM_STATE_SKIP_TASKBAR
check "nor a pager entry" has_state "$id" _NET_WM_STATE_SKIP_PAGER
check "it is owned by a hidden window" bash -c "xprop -id $id WM_TRANSIENT_FOR | grep -q 'window id'"
check "it is not topmost on an empty store" bash -c "! xprop -id $id _NET_WM_STATE | grep -q ABOVE"
check_blend "the screenshot blends yellow over what lies under it" "$id" "255 255 0"
cp "$e2e_dir/shot.png" "$e2e_dir/yellow-panel.png"
check "the first show stores the geometry" test "$(stored width)" = "\" $((w * 15))\""

# A resize lands in the registry as number texts; a move alone does not; hiding stores the place.
xdotool windowsize "$id" 400 300
resized() { [ "$(stored width)" = "\" 6000\"" ]; }
wait_for resized
check "a resize stores the width as a number text" test "$(stored width)" = "\" 6000\""
check "and the height" test "$(stored height)" = "\" 4500\""
xdotool windowmove "$id" 200 150
sleep 0.5
check "a move alone stores nothing" test "$(stored left)" = "\" $((x * 15))\""
read -r x y w h < <(geometry "$id")
hide_panel
check "Ctrl+Alt+L hides the panel" panel_gone
check "hiding stores the place" test "$(stored left) $(stored top)" = "\" $((x * 15))\" \" $((y * 15))\""
show_panel
check "the next Ctrl+Alt+S restores the place and size" test "$(geometry "$(panel)")" = "$x $y $w $h"
hide_panel

# A colour written while the program runs takes effect at the next show.
put default backcolor " 16711680"
show_panel
check_blend "a colour stored while running shows at the next show" "$(panel)" "0 0 255"
hide_panel
stop

# Values put in the registry beforehand take effect at the next start.
put default key "A"
put default keystart "B"
put default backcolor " 255"
put default ontop " 1"
put window width " 5400"
put window height " 3000"
put window left " 1500"
put window top " 2250"
start
check "the stored show letter works: Ctrl+Alt+A" wait_for show_panel a
id=$(panel)
check "the stored geometry is applied whole" test "$(geometry "$id")" = "100 150 360 200"
check "a stored ontop puts the panel above others" has_state "$id" _NET_WM_STATE_ABOVE
check_blend "a stored colour 255 gives a red panel" "$id" "255 0 0"
cp "$e2e_dir/shot.png" "$e2e_dir/red-panel.png"
hide_panel l
check "Ctrl+Alt+L is no longer the hide key" panel_shown
check "the stored hide letter works: Ctrl+Alt+B" hide_panel b
press s
sleep 0.5
check "Ctrl+Alt+S is no longer the show key" panel_gone

# The session ends (wineboot -e asks every window, as a log-off does): the program lets it end and
# stores the panel's place first.
show_panel a
xdotool windowmove "$(panel)" 300 200
sleep 0.5
read -r x y w h < <(geometry "$(panel)")
"$wine_run" "$prefix" wineboot -e >/dev/null 2>&1
ended() { [ -z "$(ps -o stat= -p "$app_pid" | grep -v Z)" ]; }  # gone, or a zombie not yet reaped
check "the program lets the session end" wait_for ended
check "and stores the panel's place first" test "$(stored left) $(stored top)" = "\" $((x * 15))\" \" $((y * 15))\""
app_pid=""

[ -n "${E2E_SCREENSHOT:-}" ] && cp "$e2e_dir/yellow-panel.png" "$E2E_SCREENSHOT"
finish
