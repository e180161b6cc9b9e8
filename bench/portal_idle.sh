#!/usr/bin/env bash
# Lisotra idle with its hotkeys bound through the desktop portal (the real front end and the test
# back end on a private bus, as tests/e2e/linux_portal_hotkeys.sh runs them), beside Lisotra with
# X key grabs: the wakeups (context switches of all its threads) over 10 idle seconds.
#   bench/portal_idle.sh BUILD-DIR
set -u
build=$(realpath "${1:?build folder}")
top=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=../tests/e2e/lib.sh
. "$top/tests/e2e/lib.sh"
# shellcheck source=../tests/e2e/portal_lib.sh
. "$top/tests/e2e/portal_lib.sh"
desktop_start
portal_start "$build/tests/e2e/lisotra_portal_backend"

switches() { cat /proc/"$1"/task/*/status 2>/dev/null | awk '/ctxt_switches/{n+=$2} END{print n}'; }
idle() {  # PID -> wakeups in 10 s, after 3 s to settle
  local before
  sleep 3
  before=$(switches "$1")
  sleep 10
  echo $(($(switches "$1") - before))
}

start_backend
start_frontend "$portals_with_shortcuts"
"${as_in_wayland[@]}" "$build/lisotra" >"$e2e_dir/portal.log" 2>&1 &
app_pid=$!
wait_for grep -q "bound the hotkeys" "$e2e_dir/portal.log" || { cat "$e2e_dir/portal.log"; exit 1; }
echo "portal path:   $(idle "$app_pid") wakeups in 10 s idle ($(ls /proc/$app_pid/task | wc -l) threads)"
kill "$app_pid"
wait "$app_pid" 2>/dev/null

DBUS_SESSION_BUS_ADDRESS=disabled: "$build/lisotra" >"$e2e_dir/x11.log" 2>&1 &
app_pid=$!
echo "X key grabs:   $(idle "$app_pid") wakeups in 10 s idle ($(ls /proc/$app_pid/task | wc -l) threads)"
