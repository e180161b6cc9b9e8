#!/usr/bin/env bash
# Disks that let the program down: its settings folder read-only, then full. The program keeps
# running, says in its log what it could not save, leaves the file it had as it was, and saves what
# it holds once the disk takes writes again. The script runs in a mount namespace of its own, so
# the read-only and full mounts are seen by nothing else and go when it ends.
set -u
lisotra=${1:?path to lisotra}
if [ -z "${LISOTRA_FAULTS_NAMESPACE:-}" ]; then
  LISOTRA_FAULTS_NAMESPACE=1 exec unshare --mount --propagation private "$0" "$@"
fi
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
desktop_start
folder=$XDG_CONFIG_HOME/Lisotra
ini=$folder/Lisotra.ini
mkdir -p "$folder"
printf '[default]\nbackcolor=" 65280"\n\n[window]\nheight=" 3000"\nleft=" 1500"\ntop=" 1500"\nwidth=" 6000"\n' >"$ini"
cp "$ini" "$e2e_dir/stored.ini"

"$lisotra" >"$e2e_dir/lisotra.log" 2>&1 &
app_pid=$!
show() { xdotool key ctrl+alt+s; wait_briefly panel_shown; }
running() { kill -0 "$app_pid" 2>/dev/null; }
logged() { [ "$(grep -c 'could not save the settings' "$e2e_dir/lisotra.log")" -gt "$1" ]; }
unchanged() { cmp -s "$ini" "$e2e_dir/stored.ini"; }
width_stored() { grep -q "^width=\" $(($1 * 15))\"" "$ini"; }
# Resizes the shown panel, which saves its size; sets `w` to the panel's new frame width.
resize_to() {
  local id x y h before
  id=$(panel)
  before=$(frame_of "$id")
  xdotool windowsize "$id" "$1" 250
  wait_for resized_from "$id" "$before"
  read -r x y w h < <(frame_of "$id")
}
resized_from() { [ "$(frame_of "$1")" != "$2" ]; }

check "the program starts and its hotkey shows the panel" wait_for show

# Read-only: the folder bound over itself without write access.
mount --bind "$folder" "$folder" && mount -o remount,bind,ro "$folder"
check "the settings folder is read-only" bash -c "! touch '$folder/probe' 2>/dev/null"
resize_to 420
check "a resize on a read-only disk is logged" wait_for logged 0
check "the program keeps running" running
check "and the file is as it was" unchanged
umount "$folder"
xdotool key ctrl+alt+l
check "once the disk takes writes, hiding saves what the program held" wait_for width_stored "$w"

# Full: a small disk of its own, filled up.
cp "$ini" "$e2e_dir/stored.ini"
mount -t tmpfs -o size=64k lisotra-full "$folder"
cp "$e2e_dir/stored.ini" "$ini"
dd if=/dev/zero of="$folder/filler" bs=4k 2>/dev/null
xdotool key ctrl+alt+s
wait_for panel_shown
logs=$(grep -c 'could not save the settings' "$e2e_dir/lisotra.log")
resize_to 380
check "a resize on a full disk is logged" wait_for logged "$logs"
check "the program keeps running" running
check "and the file is as it was" unchanged
rm -f "$folder/filler"
xdotool key ctrl+alt+l
check "once there is room, hiding saves what the program held" wait_for width_stored "$w"
umount "$folder"
check "the program still answers its hotkeys" wait_for show
finish
