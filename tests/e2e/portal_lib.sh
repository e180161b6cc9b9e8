# A desktop portal of our own for the end-to-end scripts and benchmarks: a private session bus, the
# real portal front end (xdg-desktop-portal) and the test back end (portal_backend.cpp) in the
# desktop's place. Source after lib.sh, then call portal_start BACKEND; portal_stop ends it all.
# Processes started here are ended by their pids.

portal_frontend=${PORTAL_FRONTEND:-/usr/libexec/xdg-desktop-portal}
bindings=$e2e_dir/bindings  # the back end's record: a line per session and per binding
backend_name=org.freedesktop.impl.portal.desktop.lisotratest
# Front-end configurations: the back end serves GlobalShortcuts, or nothing serves it.
portals_with_shortcuts=$e2e_dir/portals
portals_without_shortcuts=$e2e_dir/no-portals
portal_helpers=()

portal_start() {  # BACKEND
  portal_backend=$1
  # A session bus that starts nothing by itself: only what is started here is on it.
  cat >"$e2e_dir/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=$e2e_dir</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
  dbus-daemon --config-file="$e2e_dir/bus.conf" --nofork --print-address=3 3>"$e2e_dir/bus.address" >"$e2e_dir/bus.log" 2>&1 &
  portal_bus_pid=$!
  trap 'portal_stop; desktop_stop' EXIT
  wait_for test -s "$e2e_dir/bus.address"
  DBUS_SESSION_BUS_ADDRESS=$(head -1 "$e2e_dir/bus.address")
  export DBUS_SESSION_BUS_ADDRESS
  # The front end finds its desktop back end through a .portal file naming the desktop (1.16), or
  # through that desktop's portals.conf (later versions).
  mkdir -p "$portals_with_shortcuts" "$portals_without_shortcuts" "$XDG_CONFIG_HOME/xdg-desktop-portal"
  printf '[portal]\nDBusName=%s\nInterfaces=org.freedesktop.impl.portal.GlobalShortcuts;\nUseIn=lisotratest\n' \
    "$backend_name" >"$portals_with_shortcuts/lisotratest.portal"
  printf '[preferred]\ndefault=lisotratest\n' >"$XDG_CONFIG_HOME/xdg-desktop-portal/lisotratest-portals.conf"
  export XDG_CURRENT_DESKTOP=lisotratest
}

# Ends the back end and the front end; the bus goes too with portal_stop.
stop_helpers() {
  local pid
  for pid in "${portal_helpers[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${portal_helpers[@]}"; do wait "$pid" 2>/dev/null; done
  portal_helpers=()
}
portal_stop() {
  stop_helpers
  [ -z "${portal_bus_pid:-}" ] || kill "$portal_bus_pid" 2>/dev/null
  portal_bus_pid=""
}

owned() {
  [ "$(gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
    --method org.freedesktop.DBus.NameHasOwner "$1" 2>/dev/null)" = "(true,)" ]
}
start_backend() {  # [--watcher]
  "$portal_backend" "$bindings" "$@" >>"$e2e_dir/backend.log" 2>&1 &
  portal_helpers+=($!)
  wait_for owned "$backend_name"
}
start_frontend() {  # PORTALS_DIR
  XDG_DESKTOP_PORTAL_DIR=$1 "$portal_frontend" -r >>"$e2e_dir/frontend.log" 2>&1 &
  frontend_pid=$!
  portal_helpers+=($!)
  wait_for owned org.freedesktop.portal.Desktop
}
# The portal front end ends, as when it crashes; start_frontend starts it again.
stop_frontend() {
  kill "$frontend_pid" 2>/dev/null
  wait "$frontend_pid" 2>/dev/null
  wait_for portal_gone
}
portal_gone() { ! owned org.freedesktop.portal.Desktop; }
# What the desktop does when the person presses the shortcut with that id.
press_shortcut() {
  gdbus call --session --dest "$backend_name" --object-path /test --method org.lisotra.PortalTest.Press "$1" >/dev/null
}
# The environment of a Wayland session, its windows on our X display as under XWayland: the
# program picks its X platform itself (no QT_QPA_PLATFORM). "${as_in_wayland[@]}" COMMAND &
# leaves the command's own pid in $!.
as_in_wayland=(env -u QT_QPA_PLATFORM XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=wayland-lisotra-test)
