#!/usr/bin/env bash
# Starts Lisotra: on the user's desktop when there is one, else in a private virtual desktop where
# it shows the panel and takes a screenshot.
#   scripts/run.sh PATH-TO-LISOTRA   start
#   scripts/run.sh --stop            end the private desktop started before
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
run_dir=$top/build/run

if [ "${1:-}" = "--stop" ]; then
  [ -f "$run_dir/lisotra.pid" ] && kill "$(cat "$run_dir/lisotra.pid")" 2>/dev/null || true
  "$top/scripts/desktop.sh" stop "$run_dir/desktop"
  rm -f "$run_dir/lisotra.pid"
  exit 0
fi
lisotra=$(realpath "${1:?path to lisotra}")

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "Lisotra is in the tray. Ctrl+Alt+S shows the reading panel, Ctrl+Alt+L hides it."
  exec "$lisotra"
fi

"$0" --stop
mkdir -p "$run_dir"
display=$("$top/scripts/desktop.sh" start "$run_dir/desktop")
# shellcheck disable=SC1091
. "$run_dir/desktop/env"
"$lisotra" >"$run_dir/lisotra.log" 2>&1 &
echo $! >"$run_dir/lisotra.pid"
shown=""
for _ in $(seq 100); do
  xdotool key ctrl+alt+s
  sleep 0.1
  if xdotool search --onlyvisible --classname lisotra >/dev/null 2>&1; then shown=yes; break; fi
done
sleep 0.3
import -window root "$run_dir/screenshot.png"
echo "No display here, so Lisotra runs in a private virtual desktop on $display."
[ -n "$shown" ] && echo "Ctrl+Alt+S showed the reading panel." || echo "The reading panel did not show; see $run_dir/lisotra.log."
echo "Screenshot: $run_dir/screenshot.png"
echo "Settings:   $XDG_CONFIG_HOME/Lisotra/Lisotra.ini"
echo "Use it with: DISPLAY=$display xdotool key ctrl+alt+l   (or any X client on $display)"
echo "End it with: make stop"
