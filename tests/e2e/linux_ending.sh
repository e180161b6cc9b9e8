#!/usr/bin/env bash
# Every way a session can end the program ends it promptly: the X server going away (with and
# without a docked icon and a shown panel), at the same moment as SIGTERM, and SIGTERM, SIGHUP or
# SIGINT alone. Each way is tried several times (E2E_ROUNDS, 3 by default), each on a new desktop,
# as a fault here depends on timing.
set -u
lisotra=${1:?path to lisotra}
rounds=${E2E_ROUNDS:-3}
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"

desktop_pid() { sed -n "$1p" "$e2e_dir/desktop/pids"; }  # 1 Xvfb, 4 the tray host
running() { kill -0 "$app_pid" 2>/dev/null; }
ended() { ! running; }
started() { xwininfo -root -tree | grep -q '"Qt Selection Owner for lisotra"'; }
docked() { xwininfo -root -tree | grep -E '"Lisotra": \("lisotra"' | grep -qE ' 2[0-9]x2[0-9]\+'; }
no_error() { ! grep -q 'run-time error' "$e2e_dir/lisotra.log"; }

# round WAY TRAY PANEL: starts the program on a new desktop (with a tray host or without, its panel
# shown or not), ends it the WAY given, and checks that it is gone within 5 s.
round() {
  local way=$1 tray=$2 shown=$3 status
  desktop_start
  [ "$tray" = tray ] || kill "$(desktop_pid 4)"
  "$lisotra" >"$e2e_dir/lisotra.log" 2>&1 &
  app_pid=$!
  wait_for started || { check "$way: the program started" false; return; }
  [ "$tray" = tray ] && wait_for docked
  # The hotkeys answer once the program has started; the panel then stays or goes.
  xdotool key ctrl+alt+s
  wait_for panel_shown || check "$way: the show hotkey works" false
  if [ "$shown" != panel ]; then
    xdotool key ctrl+alt+l
    wait_for panel_gone
  fi
  case "$way" in
  x-gone) kill -KILL "$(desktop_pid 1)" ;;
  x-ends) kill -TERM "$(desktop_pid 1)" ;;
  x-gone+term) kill -KILL "$(desktop_pid 1)"; kill -TERM "$app_pid" ;;
  *) kill "-$way" "$app_pid" ;;
  esac
  if wait_for ended; then
    wait "$app_pid"
    status=$?
    check "$way ($tray, $shown): ended (status $status)" true
  else
    check "$way ($tray, $shown): ended within 5 s" false
    ps -o pid,stat,time,args -p "$app_pid"
    kill -KILL "$app_pid"
  fi
  check "$way: no run-time error" no_error
  app_pid=""
  "$here/../../scripts/desktop.sh" stop "$e2e_dir/desktop"
}

for _ in $(seq "$rounds"); do
  round x-gone tray panel
  round x-gone no-tray no-panel
  round x-ends tray no-panel
  round x-gone+term tray panel
  round TERM tray panel
  round HUP no-tray panel
  round INT tray no-panel
done
finish
