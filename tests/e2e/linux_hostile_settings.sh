#!/usr/bin/env bash
# Settings storage that would hold the program up: a FIFO, a link to /dev/zero or a huge file where
# the settings file belongs, a folder where its lock goes, and a lock kept by a copy stopped in the
# middle of a save. In each the program starts, its hotkey shows the panel, it says in its log what
# it could not read or save, its memory stays small, and it ends within 2 s of a SIGTERM.
set -u
lisotra=${1:?path to lisotra}
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
desktop_start
folder=$XDG_CONFIG_HOME/Lisotra
ini=$folder/Lisotra.ini

show() { xdotool key ctrl+alt+s; wait_briefly panel_shown; }
logged() { grep -q -E 'could not (read|save) the settings' "$e2e_dir/$1.log"; }
ended() { ! kill -0 "$app_pid" 2>/dev/null; }
# The most memory the program has held, in MiB.
peak() { awk '/^VmHWM:/ {print int($2 / 1024)}' "/proc/$app_pid/status"; }

fifo() { mkfifo "$ini"; }
zeros() { ln -s /dev/zero "$ini"; }
huge() { head -c 99M /dev/zero | tr '\0' 'x' >"$ini"; }
lock_folder() { mkdir -p "$ini.lock/inside"; }
# The lock as a copy of the program writes it (pid, program name, host), of a copy stopped while it
# saves: alive, and holding it.
is_sleep() { [ "$(cat "/proc/$copy_pid/comm" 2>/dev/null)" = sleep ]; }
stopped_copy() {
  sleep 600 &
  copy_pid=$!
  wait_for is_sleep
  kill -STOP "$copy_pid"
  printf '%s\nsleep\n%s\n%s\n%s\n' "$copy_pid" "$(hostname)" "$(cat /etc/machine-id 2>/dev/null)" \
    "$(cat /proc/sys/kernel/random/boot_id)" >"$ini.lock"
}

play() {  # setup, what it is
  rm -rf "$folder"
  mkdir -p "$folder"
  "$1"
  "$lisotra" >"$e2e_dir/$1.log" 2>&1 &
  app_pid=$!
  set -- "$1" "$2"
  check "$2: the program starts and its hotkey shows the panel" wait_for show
  check "$2: its log says what it could not read or save" wait_for logged "$1"
  check "$2: its memory stays small ($(peak) MiB at most)" test "$(peak)" -lt 100
  kill -TERM "$app_pid"
  check "$2: a SIGTERM ends it within 2 s" wait_up_to 2 ended
  ended || { kill -KILL "$app_pid"; cat "$e2e_dir/$1.log"; }
  wait "$app_pid" 2>/dev/null
  app_pid=
  xdotool key ctrl+alt+l
}

play fifo "a FIFO in the file's place"
play zeros "a link to /dev/zero in the file's place"
play huge "a file of 99 MB"
play lock_folder "a folder in the lock's place"
play stopped_copy "a lock kept by a stopped copy"
kill -KILL "${copy_pid:-}" 2>/dev/null
rm -rf "$folder"
finish
