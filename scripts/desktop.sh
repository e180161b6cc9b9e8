#!/usr/bin/env bash
# A private virtual desktop: Xvfb on a free display, openbox, trayer (a tray host) and xcompmgr
# (a compositor, for translucency), with a private HOME and XDG folders.
#
#   scripts/desktop.sh start DIR   starts it; DIR/env holds the variables to source
#   scripts/desktop.sh stop DIR    ends what start began
set -euo pipefail

cmd=${1:?start or stop}
dir=${2:?folder for the desktop}

# True while the process runs (an ended process its parent has not yet collected does not).
running() {
  local state
  state=$(ps -o stat= -p "$1" 2>/dev/null) || return 1
  [ "${state:0:1}" != Z ]
}

case "$cmd" in
start)
  mkdir -p "$dir"/home "$dir"/config "$dir"/data "$dir"/cache "$dir"/runtime
  chmod 700 "$dir"/runtime
  # The server picks a free display itself and tells its number: two desktops started at the
  # same moment (tests run in parallel) never race for one display.
  rm -f "$dir"/display
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$dir"/display >"$dir"/xvfb.log 2>&1 &
  echo $! >"$dir"/pids
  for _ in $(seq 200); do [ -s "$dir"/display ] && break; sleep 0.05; done
  [ -s "$dir"/display ] || { echo "desktop.sh: Xvfb did not start (see $dir/xvfb.log)" >&2; exit 1; }
  display=":$(head -1 "$dir"/display)"
  for _ in $(seq 100); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.05; done
  cat >"$dir"/env <<ENV
export DISPLAY=$display
export HOME=$dir/home
export XDG_CONFIG_HOME=$dir/config
export XDG_DATA_HOME=$dir/data
export XDG_CACHE_HOME=$dir/cache
export XDG_RUNTIME_DIR=$dir/runtime
export DBUS_SESSION_BUS_ADDRESS=disabled:
export QT_QPA_PLATFORM=xcb
ENV
  # shellcheck disable=SC1091
  . "$dir"/env
  openbox >"$dir"/openbox.log 2>&1 &
  echo $! >>"$dir"/pids
  # The compositor comes back if it ends (xcompmgr is known to crash on some window sequences): a
  # desktop without it shows translucent windows opaque. The watcher's output goes to the log, not
  # to ours: whoever reads our output (a command substitution, a pipe) waits until every process
  # holding it has ended, and the watcher runs until stop.
  (
    compositor=""
    trap 'kill $compositor 2>/dev/null; wait; exit 0' TERM
    while :; do
      xcompmgr >>"$dir"/xcompmgr.log 2>&1 &
      compositor=$!
      echo "$compositor" >"$dir"/compositor.pid
      status=0
      wait "$compositor" || status=$?
      echo "desktop.sh: xcompmgr ended ($status); starting it again"
      sleep 0.2
    done
  ) >>"$dir"/xcompmgr.log 2>&1 </dev/null &
  echo $! >>"$dir"/pids
  trayer --edge bottom --align right --widthtype request --height 24 --transparent false \
    --tint 0x404040 --SetDockType true >"$dir"/trayer.log 2>&1 &
  echo $! >>"$dir"/pids
  # Ready when the window manager, the compositor and the tray host are there. (grep reads all it
  # is given: grep -q would end the listing early, which pipefail counts as not found.)
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep 'window id' >/dev/null && break
    sleep 0.05
  done
  for _ in $(seq 100); do
    xwininfo -root -tree 2>/dev/null | grep '"xcompmgr"' >/dev/null && break
    sleep 0.05
  done
  for _ in $(seq 100); do
    xwininfo -root -tree 2>/dev/null | grep -i trayer >/dev/null && break
    sleep 0.05
  done
  echo "$display"
  ;;
stop)
  # Ends each process, newest first, and returns once they have all ended (the compositor too,
  # should its watcher have gone without it), so that nothing of this desktop outlives stop.
  pids=()
  [ -f "$dir"/pids ] && mapfile -t pids < <(tac "$dir"/pids)
  [ -f "$dir"/compositor.pid ] && pids+=("$(cat "$dir"/compositor.pid)")
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do
    for _ in $(seq 100); do running "$pid" || break; sleep 0.05; done
    ! running "$pid" || kill -KILL "$pid" 2>/dev/null || true
  done
  rm -f "$dir"/pids "$dir"/compositor.pid
  ;;
*)
  echo "desktop.sh: start or stop" >&2
  exit 2
  ;;
esac
