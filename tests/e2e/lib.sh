# Shared by the end-to-end scripts: a private virtual desktop, and what a person would see on it.
# Each script sources this, calls desktop_start, and gets desktop_stop on exit.

e2e_dir=$(mktemp -d /tmp/lisotra-e2e.XXXXXX)
failures=0
checks=0
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

desktop_start() {
  "$here/../../scripts/desktop.sh" start "$e2e_dir/desktop" >/dev/null
  # shellcheck disable=SC1091
  . "$e2e_dir/desktop/env"
}

desktop_stop() {
  [ -n "${E2E_KEEP_LOG:-}" ] && cp "$e2e_dir"/*.log "$E2E_KEEP_LOG"/ 2>/dev/null
  [ -n "${app_pid:-}" ] && kill "$app_pid" 2>/dev/null
  "$here/../../scripts/desktop.sh" stop "$e2e_dir/desktop"
  rm -rf "$e2e_dir"
}
trap desktop_stop EXIT

check() {  # check "what" command...
  local what=$1
  shift
  checks=$((checks + 1))
  if "$@"; then
    echo "ok   $what"
  else
    echo "FAIL $what"
    failures=$((failures + 1))
  fi
}

# Waits up to 5 s for a command to succeed.
wait_for() {
  for _ in $(seq 100); do "$@" && return 0; sleep 0.05; done
  return 1
}
# Waits up to $1 seconds for a command to succeed.
wait_up_to() {
  local end=$((${EPOCHREALTIME/./} + $1 * 1000000))
  shift
  until "$@"; do
    [ "${EPOCHREALTIME/./}" -lt "$end" ] || return 1
    sleep 0.05
  done
}
# Waits about 0.2 s: for what follows a key press that may come too early to do anything (a hotkey
# pressed while the program starts), and is pressed again by an outer wait_for.
wait_briefly() {
  for _ in 1 2 3 4; do "$@" && return 0; sleep 0.05; done
  "$@"
}

# True when window $1 has the keyboard focus; activate gives it the focus and waits for it.
focused() { [ -n "$1" ] && [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
activate() {
  xdotool windowactivate --sync "$1" 2>/dev/null
  wait_for focused "$1"
}

# The id of the visible window of that name, if one is mapped.
window_named() {
  local found
  found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
  [ -n "$found" ] && echo "$found"
}

# Waits for the test window of that name and sets `id`; without it the script ends, showing the
# program's output ($e2e_dir/window.log).
await_window() {
  wait_for window_named "$1" >/dev/null
  id=$(window_named "$1")
  check "the test window is mapped" test -n "$id"
  [ -n "$id" ] || { cat "$e2e_dir/window.log"; finish; exit 1; }
}

finish() {
  echo "$((checks - failures)) passed, $failures failed"
  [ "$failures" -eq 0 ] || desktop_report
  [ "$failures" -eq 0 ]
}

# After a failure: which parts of the desktop still run, and the end of their logs.
desktop_report() {
  local line=0 name pid
  for name in Xvfb openbox xcompmgr trayer; do  # the order of desktop.sh's pids file
    line=$((line + 1))
    pid=$(sed -n "${line}p" "$e2e_dir/desktop/pids" 2>/dev/null)
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then echo "desktop: $name runs"; else echo "desktop: $name has ended"; fi
  done
  for log in "$e2e_dir"/desktop/*.log; do
    echo "--- $(basename "$log")"
    tail -5 "$log"
  done
}

# The tray host of this desktop (never another desktop's): stop it, start a new one.
tray_pid() { sed -n 4p "$e2e_dir/desktop/pids"; }
process_ended() { [ ! -d "/proc/$1" ] || grep -q '^State:.*Z' "/proc/$1/status" 2>/dev/null; }
stop_tray() {
  local pid
  pid=$(tray_pid)
  kill "$pid" 2>/dev/null
  wait_for process_ended "$pid"
}
start_tray() {
  trayer --edge bottom --align right --widthtype request --height 24 --SetDockType true >/dev/null 2>&1 &
  sed -i "4s/.*/$!/" "$e2e_dir/desktop/pids"
}

# The program's icon docked in trayer: a window of the program about 24 pixels square; icon_at
# prints the x y of its middle.
icon_at() {
  xwininfo -root -tree | grep -E '"Lisotra": \("lisotra"' |
    awk '$5 ~ /^2[0-9]x2[0-9]\+/ {split($6,p,"+"); print p[2] + 11, p[3] + 11; exit}'
}
docked() { [ -n "$(icon_at)" ]; }

# The tray icon's menu is open: a pop-up is the program's one override-redirect window on the root.
menu_open() {
  local id
  for id in $(xwininfo -root -children | awk '/"lisotra"/ {print $1}'); do
    xwininfo -id "$id" | grep -q 'Map State: IsViewable' && xwininfo -id "$id" | grep -q 'Override Redirect State: yes' && return 0
  done
  return 1
}
menu_closed() { ! menu_open; }

# Clicks the tray icon (the script's icon_at tells where it is) with button $1, $2 times. Clicks
# closer together than the double-click time would make one double-click: a click comes at least
# $click_gap microseconds (0.5 s) after the one before.
last_icon_click=0
click_gap=500000
click_icon() {  # button [repeat]
  local now x y
  now=${EPOCHREALTIME/./}
  [ $((now - last_icon_click)) -ge "$click_gap" ] || sleep "0.$(printf '%06d' $((click_gap - (now - last_icon_click))))"
  read -r x y < <(icon_at)
  xdotool mousemove "$x" "$y" click --repeat "${2:-1}" --delay 80 "$1"
  last_icon_click=${EPOCHREALTIME/./}
}

# Settings from the tray icon's menu, its dialog then focused; false when the dialog does not show.
open_settings() {
  click_icon 1
  wait_for menu_open
  xdotool key Down Down Return
  wait_for shown "Lisotra Settings." || return 1
  activate "$(titled "Lisotra Settings.")"
  return 0
}

# The reading panels' windows (utility windows of the program) that are mapped, one a line.
panels() {
  local id
  for id in $(xdotool search --onlyvisible --classname lisotra 2>/dev/null); do
    xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q UTILITY && echo "$id"
  done
}
panel() { panels | head -1; }
panel_shown() { [ -n "$(panel)" ]; }
panel_gone() { [ -z "$(panel)" ]; }

# The x y w h of the frame openbox puts around window $1 (its parent): what a program stores as
# its window's place and size.
frame_of() {
  local parent
  [ -n "$1" ] || return 1
  parent=$(xwininfo -children -id "$1" | sed -n 's/.*Parent window id: \(0x[0-9a-f]*\).*/\1/p')
  xwininfo -id "$parent" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}'
}
place_of() { frame_of "$1" | cut -d' ' -f1,2; }
left_place() { [ "$(place_of "$1")" != "$2" ]; }
# Moves window $1 to ($2, $3) and sets `moved` to where its frame then is: the window manager
# puts the frame around the window as it sees fit. False when the window did not move.
move_window() {
  local from
  from=$(place_of "$1")
  xdotool windowmove "$1" "$2" "$3"
  wait_for left_place "$1" "$from" || return 1
  # A grace period, not a wait on a condition: the checks after a move (that it alone stores
  # nothing) need the program to have had time to react to it.
  sleep 0.5
  moved=$(place_of "$1")
}

# Window $1 shows more than a blank face: it has been drawn.
drawn() { import -window "$1" "$e2e_dir/drawn.png" 2>/dev/null && [ "$(convert "$e2e_dir/drawn.png" -format %k info:)" -gt 8 ]; }

# The visible window of exactly that title, and whether one is shown.
titled() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1; }
shown() { [ -n "$(titled "$1")" ]; }
gone() { [ -z "$(titled "$1")" ]; }

same() { [ "$1" = "$2" ]; }
# What the program stores for a place or a size: twips (15 a pixel here) as number texts.
# Each argument may hold several numbers ("x y").
# shellcheck disable=SC2048,SC2086
twips() { local n out=""; for n in $*; do out+="${out:+ } $((n * 15))"; done; echo "$out"; }
stored_place() { echo "$(stored left) $(stored top)"; }
stored_size() { echo "$(stored width) $(stored height)"; }

# A default browser that records what it was asked to open in $e2e_dir/opened; prints its path.
make_browser() {
  printf '#!/bin/sh\necho "$@" >>"%s/opened"\n' "$e2e_dir" >"$e2e_dir/browser"
  chmod +x "$e2e_dir/browser"
  echo "$e2e_dir/browser"
}

# The colour of pixel ($2, $3) of the image $1 as "r g b".
pixel_in() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]" info:
}

# The colour of one screen pixel as "r g b".
pixel() {
  import -window root "$e2e_dir/shot.png"
  pixel_in "$e2e_dir/shot.png" "$1" "$2"
}

# 140/255 of the colour $1 over $2 ("r g b" each): a translucent panel as the compositor shows it.
blend() {
  awk -v fg="$1" -v bg="$2" 'BEGIN{split(fg,f," "); split(bg,b," "); a=140/255;
    printf "%d %d %d", a*f[1]+(1-a)*b[1], a*f[2]+(1-a)*b[2], a*f[3]+(1-a)*b[3]}'
}

# True when each channel of $1 is within $3 of $2 ("r g b" each).
near() {
  local a b
  read -r -a a <<<"$1"
  read -r -a b <<<"$2"
  for i in 0 1 2; do
    local d=$((a[i] - b[i]))
    [ "${d#-}" -le "$3" ] || return 1
  done
}
