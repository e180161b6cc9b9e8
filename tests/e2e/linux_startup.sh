#!/usr/bin/env bash
# "Run At StartUp" on a Linux desktop: ticking the box writes an XDG autostart entry that starts
# the very executable (from a folder whose name has blanks, quotes, $, % and a backslash), with
# its argument text; clearing the box removes the entry. The window is kept as a screenshot.
set -u
program=${1:?path to lisotra_startup_window}
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
desktop_start
shots=${E2E_SHOTS:-$e2e_dir}

dir="$e2e_dir/My \"Apps\" \$HOME 100% back\\slash"
mkdir -p "$dir"
cp "$program" "$dir/start up"
marker="$e2e_dir/log-on marker"
entry="$XDG_CONFIG_HOME/autostart/start%20up.exe.desktop"

"$dir/start up" --arg "--mark \"$marker\"" >"$e2e_dir/window.log" 2>&1 &
app_pid=$!
await_window "Lisotra start-up test"
wait_for focused "$id"
import -window "$id" "$shots/startup-clear.png"
check "no entry before the box is ticked" test ! -e "$entry"

# The box sits at the control's place, 360 by 480 twips into the window: 24 by 32 pixels. Its tick
# is drawn once the middle of the box (30, 38) is no longer white; the shot is kept.
tick_shown() {
  import -window "$id" "$shots/startup-set.png" && [ "$(pixel_in "$shots/startup-set.png" 30 38)" != "255 255 255" ]
}
xdotool mousemove --window "$id" 30 38 click 1
wait_for test -e "$entry"
check "ticking the box writes the autostart entry" test -e "$entry"
wait_for tick_shown
check "desktop-file-validate accepts it" desktop-file-validate "$entry"
check "its Run value is the quoted Windows-form path and the argument text" \
  grep -qF "X-Lisotra-Run-Value=\"${dir//\\/\\\\}\\\\start up.exe\" --mark \"$marker\"" "$entry"
cp "$entry" "$e2e_dir/entry.desktop"

# Started as the desktop starts it at log-on: GLib's launcher runs the Exec line without a shell.
# Without the launcher these checks fail: nothing else shows that the entry starts anything.
command -v gio >/dev/null || echo "gio is missing: scripts/deps.sh desktop installs it (libglib2.0-bin)"
gio launch "$entry" >"$e2e_dir/gio.log" 2>&1
wait_for test -s "$marker"
check "the entry starts the program itself" test "$(sed -n 1p "$marker" 2>/dev/null)" = "$dir/start up"
check "with the argument text" test "$(sed -n '2,$p' "$marker" 2>/dev/null)" = "--mark
$marker"

xdotool mousemove --window "$id" 30 38 click 1
gone() { [ ! -e "$entry" ]; }
wait_for gone
check "clearing the box removes the entry" gone
finish
