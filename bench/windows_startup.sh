#!/usr/bin/env bash
# Lisotra against the least Win32 program that does the same, side by side under wine in one
# private virtual desktop and one prefix: launch to the tray icon on screen, launch to the hotkeys
# live, and idle private memory and wakeups. Run after `make test-windows` (or after building the
# targets lisotra, least_win32, wine_startup_probe and memory_probe):
#   bench/windows_startup.sh [BUILD] [RUNS]     (default build/windows, 30 runs)
# Under wine a start takes from 60 ms to a few hundred, and other work on the machine (a build
# beside it) shows in it: hence 30 runs, and on a shared machine a higher priority for the whole
# desktop, e.g. `nice -n -15 bench/windows_startup.sh` as root.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$top/build/windows}")
runs=${2:-30}
lisotra=$build/lisotra.exe
least=$build/bench/windows/least_win32.exe
probe=$build/bench/windows/wine_startup_probe
memory_probe=$build/tests/e2e/windows/memory_probe.exe
for file in "$lisotra" "$least" "$probe" "$memory_probe"; do
  [ -e "$file" ] || { echo "windows_startup.sh: $file is not built" >&2; exit 1; }
done

dir=$(mktemp -d /tmp/lisotra-winbench.XXXXXX)
"$top/scripts/desktop.sh" start "$dir/desktop" >/dev/null
# shellcheck disable=SC1091
. "$dir/desktop/env"
export WINEPREFIX=$build/wineprefix-bench WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
finish() {
  [ -n "${focus:-}" ] && kill "$focus" 2>/dev/null
  [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
  wineserver -k 2>/dev/null || true
  "$top/scripts/desktop.sh" stop "$dir/desktop"
  rm -rf "$dir"
}
trap finish EXIT
# No tray host: wine shows its own tray window, and the icon is on screen when it maps. (Docked
# into trayer, wine 8 draws nothing into the icon.)
kill "$(sed -n 4p "$dir/desktop/pids")"
# Warm: the server and wine's own services are up, as Windows' are when a user starts a program.
wineserver -k 2>/dev/null || true  # one left from before would serve another display
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi
wineserver -p
wineboot >/dev/null 2>&1

# Wine hands hotkeys to its programs only while one of its windows has the X focus.
wine notepad >/dev/null 2>&1 &
focus=$!
for _ in $(seq 200); do
  window=$(xdotool search --onlyvisible --name 'Notepad' 2>/dev/null | head -1) && [ -n "$window" ] && break
  sleep 0.05
done
[ -n "${window:-}" ] || { echo "windows_startup.sh: no focus window" >&2; exit 1; }

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
"$probe" "$runs" "$window" "$least" "$lisotra" | tee "$dir/startup"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"

# Idle: started, nothing shown, then left alone. Wakeups are the context switches of all of the
# process's threads; memory is what wine reports as the private commit (PagefileUsage, since it
# leaves PrivateUsage 0).
idle() {  # exe -> "wakeups private-KiB"
  local before after memory
  wine "$1" >/dev/null 2>&1 &
  pid=$!
  sleep 3
  switches() { cat /proc/"$pid"/task/*/status | awk '/ctxt_switches/{n+=$2} END{print n}'; }
  before=$(switches)
  sleep 10
  after=$(switches)
  memory=$(wine "$memory_probe" "$(basename "$1")" | tr -d '\r' | sed -n 's/.*pagefile=\([0-9]*\).*/\1/p')
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  pid=""
  sleep 0.5
  echo "$((after - before)) $memory"
}
read -r least_wakeups least_memory < <(idle "$least")
read -r lisotra_wakeups lisotra_memory < <(idle "$lisotra")

median() { sed -n "s|^median $1 icon=\([0-9.]*\) keys=\([0-9.]*\) quartiles icon=\([0-9.-]*\) keys=\([0-9.-]*\)|\1 \2 \3 \4|p" "$dir/startup"; }
read -r least_icon least_keys least_iq least_kq < <(median "$least")
read -r lisotra_icon lisotra_keys lisotra_iq lisotra_kq < <(median "$lisotra")
awk -v n="$runs" -v li="$least_icon" -v lk="$least_keys" -v lm="$least_memory" -v lw="$least_wakeups" \
  -v si="$lisotra_icon" -v sk="$lisotra_keys" -v sm="$lisotra_memory" -v sw="$lisotra_wakeups" \
  -v liq="$least_iq" -v lkq="$least_kq" -v siq="$lisotra_iq" -v skq="$lisotra_kq" 'BEGIN {
  printf "%-12s %24s %24s %20s %20s\n", "", "icon on screen (ms)", "hotkeys live (ms)", "idle private (KiB)", "wakeups in 10 s"
  printf "%-12s %8.1f (%13s) %8.1f (%13s) %20d %20d\n", "least_win32", li, liq, lk, lkq, lm, lw
  printf "%-12s %8.1f (%13s) %8.1f (%13s) %20d %20d\n", "lisotra", si, siq, sk, skq, sm, sw
  printf "%-12s %8.2f x %15s %8.2f x %15s %18.2f x\n", "ratio", si / li, "", sk / lk, "", sm / lm
  printf "(medians of %d starts each after one warm-up start, quartiles in brackets)\n", n
}'
# The ratio that holds on a busy machine: lisotra's start against least_win32's in the same run.
sed -n "s|^ratio $lisotra icon=\([0-9.]*\) keys=\([0-9.]*\) quartiles icon=\([0-9.-]*\) keys=\([0-9.-]*\)|paired ratio: icon on screen \1 x (\3), hotkeys live \2 x (\4), median of the $runs runs' own ratios|p" "$dir/startup"
