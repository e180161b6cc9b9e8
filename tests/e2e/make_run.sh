#!/usr/bin/env bash
# `make run` as a new user runs it, where there is no display: it returns, leaving Lisotra in a
# private virtual desktop with its translucent panel shown, and what it says about the panel is
# true; `make stop` ends everything it started, and a second `make run` works again. Where there is
# a display, `make run` starts Lisotra on it.
#   make_run.sh BUILD-TREE   the tree ctest runs in, which make is pointed at: it builds no other
set -u
build=$(realpath "${1:?build tree}")
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
top=$(cd "$here/../.." && pwd)
run_dir=$e2e_dir/run
# A fresh store gives the panel its design size: 4560 x 3015 twips, at 15 twips a pixel.
fresh_size="$((4560 / 15))x$((3015 / 15))"
groups=()

# Whatever a failed run left: each run's processes share its process group (see make_run).
cleanup() {
  local group
  for group in "${groups[@]}"; do kill -KILL -- "-$group" 2>/dev/null; done
  [ -n "${reader:-}" ] && kill "$reader" 2>/dev/null
  LISOTRA_RUN_DIR=$run_dir "$top/scripts/run.sh" --stop >/dev/null 2>&1
  desktop_stop
}
trap cleanup EXIT

# make as a person types it in the source tree: not as a child of the make that may be running
# these tests, and building into the tree these tests run from.
make_here=(env -u MAKEFLAGS -u MAKELEVEL -u MFLAGS LISOTRA_RUN_DIR="$run_dir"
  make -C "$top" LINUX_BUILD="$build" JOBS=1)

# The processes of process group $1 that still run (ended ones not yet collected do not count).
left_in_group() { ps -eo pid=,pgid=,stat=,args= | awk -v g="$1" '$2 == g && $3 !~ /^Z/'; }
group_ended() { [ -z "$(left_in_group "$1")" ]; }
running() {
  local state
  state=$(ps -o stat= -p "$1" 2>/dev/null) || return 1
  [ "${state:0:1}" != Z ]
}
ended() { ! running "$1"; }

# `make run` without a display, its output read through a pipe as a terminal or `| tee` reads it,
# stopped after 90 s: a run that does not return fails instead of blocking. timeout puts itself
# and all the run starts into a new process group, `group`. Sets run_status (124: it was stopped)
# and out (what it said), and checks that nothing it leaves running holds its output.
make_run() {
  local pipe=$e2e_dir/pipe
  rm -f "$pipe" "$e2e_dir/run.out"
  mkfifo "$pipe"
  cat "$pipe" >"$e2e_dir/run.out" &
  reader=$!
  timeout -k 5 90 env -u DISPLAY "${make_here[@]}" run >"$pipe" 2>&1 </dev/null &
  group=$!
  groups+=("$group")
  wait "$group"
  run_status=$?
  check "make run returns (status $run_status)" test "$run_status" -ne 124
  check "no process it leaves holds its output" wait_for ended "$reader"
  out=$(cat "$e2e_dir/run.out")
}

# The program's mapped windows titled "Lisotra" (the panel and the tray icon), as "id WxH x,y".
lisotra_windows() {
  local id
  for id in $(xdotool search --onlyvisible --classname lisotra 2>/dev/null); do
    [ "$(xdotool getwindowname "$id" 2>/dev/null)" = Lisotra ] || continue
    xwininfo -id "$id" | awk -v id="$id" '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
      /Width:/{w=$2} /Height:/{h=$2} END{print id, w "x" h, x "," y}'
  done
}

# One run with no display, checked against what is on its desktop, then `make stop`.
run_and_stop() {
  local claim id size place shown x y w h background centre expected pid name recorded=()
  make_run
  echo "make run said:"
  sed 's/^/  | /' <<<"$out"
  check "make run succeeds" test "$run_status" -eq 0
  check "make run says Ctrl+Alt+S showed the panel" grep -q "Ctrl+Alt+S showed the reading panel" <<<"$out"
  [ -f "$run_dir/desktop/env" ] || return
  # shellcheck disable=SC1091
  . "$run_dir/desktop/env"

  # What it said against what is mapped: the window it names is the panel, not the tray icon.
  claim=$(sed -n 's/^Ctrl+Alt+S showed the reading panel: window \([0-9]*\) "Lisotra", \([0-9x]*\) at \([0-9,]*\)\.$/\1 \2 \3/p' <<<"$out")
  shown=$(lisotra_windows)
  check "a panel of the fresh size $fresh_size is mapped as it returns (mapped: ${shown//$'\n'/; })" \
    grep -q " $fresh_size " <<<"$shown"
  check "the window it names is that panel (it named: ${claim:-none})" \
    grep -qx "${claim:-none}" <<<"$(grep " $fresh_size " <<<"$shown")"

  # Its screenshot shows 140/255 of yellow over the desktop at the panel's centre.
  read -r id size place <<<"$(grep " $fresh_size " <<<"$shown" | head -1)"
  IFS=x read -r w h <<<"${size:-0x0}"
  IFS=, read -r x y <<<"${place:-0,0}"
  if [ -f "$run_dir/screenshot.png" ]; then
    background=$(pixel_in "$run_dir/screenshot.png" 5 5)
    centre=$(pixel_in "$run_dir/screenshot.png" $((x + w / 2)) $((y + h / 2)))
    expected=$(blend "255 255 0" "$background")
    check "the screenshot blends yellow over the desktop at the panel ($centre, expected $expected)" \
      near "$centre" "$expected" 6
    check "make run does not call that panel opaque" bash -c "! grep -q opaque <<<\"\$1\"" - "$out"
  else
    check "make run wrote a screenshot" false
  fi

  # make stop ends every process the run started, those it recorded and any other.
  check "Lisotra runs on after make run returned" running "$(cat "$run_dir/lisotra.pid" 2>/dev/null)"
  for pid in $(cat "$run_dir/lisotra.pid" "$run_dir/desktop/pids" "$run_dir/desktop/compositor.pid" 2>/dev/null); do
    recorded+=("$pid:$(ps -o comm= -p "$pid")")
  done
  check "make stop succeeds" timeout 60 "${make_here[@]}" stop
  for pid in "${recorded[@]}"; do
    name=${pid#*:}
    pid=${pid%%:*}
    check "make stop ended ${name:-process} $pid" wait_for ended "$pid"
  done
  wait_for group_ended "$group"
  check "nothing the run started is left (still running: $(left_in_group "$group" | awk '{print $4}' | xargs))" \
    group_ended "$group"
}

# No display: run, stop, and run and stop again in the same folder.
run_and_stop
run_and_stop

# A display: Lisotra starts on it (its tray icon docks there) and no private desktop is made.
desktop_start
timeout -k 5 120 "${make_here[@]}" run >"$e2e_dir/display.out" 2>&1 </dev/null &
group=$!
groups+=("$group")
tray_icon() { xdotool search --onlyvisible --classname lisotra >/dev/null 2>&1; }
for _ in $(seq 12); do wait_for tray_icon && break; done
check "with a display, make run starts Lisotra on it" tray_icon
check "and starts no private desktop" test ! -e "$run_dir/desktop/pids"
kill -- "-$group" 2>/dev/null
wait "$group"

finish
