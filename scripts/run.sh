#!/usr/bin/env bash
# Starts Lisotra: on the user's desktop when there is one, else in a private virtual desktop where
# it shows the panel, takes a screenshot and returns, leaving Lisotra running there.
#   scripts/run.sh PATH-TO-LISOTRA   start
#   scripts/run.sh --stop            end the private desktop started before
# The private desktop, its logs and the screenshot live in $LISOTRA_RUN_DIR (build/run).
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
run_dir=${LISOTRA_RUN_DIR:-$top/build/run}
log=$run_dir/lisotra.log

running() {
  local state
  state=$(ps -o stat= -p "$1" 2>/dev/null) || return 1
  [ "${state:0:1}" != Z ]
}

# Lisotra first, while its desktop is still there to take its last settings; it has a few seconds
# to end before it is killed.
stop() {
  local pid
  if [ -f "$run_dir/lisotra.pid" ]; then
    pid=$(cat "$run_dir/lisotra.pid")
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 100); do running "$pid" || break; sleep 0.05; done
    ! running "$pid" || kill -KILL "$pid" 2>/dev/null || true
    rm -f "$run_dir/lisotra.pid"
  fi
  "$top/scripts/desktop.sh" stop "$run_dir/desktop"
}

if [ "${1:-}" = "--stop" ]; then
  stop
  exit 0
fi
lisotra=$(realpath "${1:?path to lisotra}")

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "Lisotra is in the tray. Ctrl+Alt+S shows the reading panel, Ctrl+Alt+L hides it."
  exec "$lisotra"
fi

# Says what went wrong, ends what was started, and fails.
give_up() {
  echo "$1"
  echo "Lisotra's output: $log"
  stop
  echo "The private desktop is stopped; its logs are in $run_dir/desktop."
  exit 1
}

# The reading panel as "id width height x y", once it is mapped. The tray icon is a window of the
# same class and title, docked in the tray: the panel is the one the window manager manages (the
# one with a WM_STATE).
panel_window() {
  local id width height x y
  for id in $(xdotool search --onlyvisible --classname lisotra 2>/dev/null); do
    [ "$(xdotool getwindowname "$id" 2>/dev/null)" = Lisotra ] || continue
    read -r x y width height < <(xwininfo -id "$id" 2>/dev/null |
      awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}')
    xprop -id "$id" WM_STATE 2>/dev/null | grep -q 'window state' || continue
    [ "${width:-0}" -gt 0 ] && [ "${height:-0}" -gt 0 ] && { echo "$id $width $height $x $y"; return 0; }
  done
  return 1
}

# The colour of pixel ($2, $3) of the image $1 as "r g b".
pixel_in() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]" info:
}

stop
mkdir -p "$run_dir"
rm -f "$run_dir/screenshot.png"
# The desktop's output is read to its end: desktop.sh leaves nothing behind that holds it.
display=$("$top/scripts/desktop.sh" start "$run_dir/desktop")
# shellcheck disable=SC1091
. "$run_dir/desktop/env"
echo "No display here, so Lisotra runs in a private virtual desktop on $display."
import -window root "$run_dir/desktop/before.png"
"$lisotra" >"$log" 2>&1 </dev/null &
pid=$!
echo "$pid" >"$run_dir/lisotra.pid"

# The hotkeys work once Lisotra has started and taken its key grabs, which no window shows: press
# Ctrl+Alt+S until the panel is there (pressing it again while it shows changes nothing).
panel=""
for _ in $(seq 200); do
  running "$pid" || give_up "Lisotra ended before it showed its panel."
  xdotool key ctrl+alt+s
  sleep 0.1
  if panel=$(panel_window); then break; fi
done
[ -n "$panel" ] || give_up "Ctrl+Alt+S did not show the reading panel."
read -r id width height x y <<<"$panel"
echo "Ctrl+Alt+S showed the reading panel: window $id \"Lisotra\", ${width}x${height} at $x,$y."

# The compositor draws the translucent panel a moment after it maps: take the screenshot again
# until the panel's centre differs from the desktop there.
cx=$((x + width / 2))
cy=$((y + height / 2))
desktop_colour=$(pixel_in "$run_dir/desktop/before.png" "$cx" "$cy")
drawn=""
for _ in $(seq 30); do
  sleep 0.1
  import -window root "$run_dir/screenshot.png"
  centre=$(pixel_in "$run_dir/screenshot.png" "$cx" "$cy")
  if [ "$centre" != "$desktop_colour" ]; then drawn=yes; break; fi
done
[ -n "$drawn" ] || give_up "The panel is mapped, but the screenshot does not show it ($run_dir/screenshot.png)."
echo "Screenshot: $run_dir/screenshot.png (the panel's centre is $centre, over the desktop's $desktop_colour)"
# Without a compositor the panel is opaque: Lisotra works, but not as it looks on a real desktop.
xwininfo -root -tree 2>/dev/null | grep '"xcompmgr"' >/dev/null ||
  echo "No compositor runs here, so the panel shows opaque (see $run_dir/desktop/xcompmgr.log)."
echo "Settings:   $XDG_CONFIG_HOME/Lisotra/Lisotra.ini"
echo "Use it with: DISPLAY=$display xdotool key ctrl+alt+l   (or any X client on $display)"
echo "End it with: make stop"
