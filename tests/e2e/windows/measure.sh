#!/usr/bin/env bash
# Figures for the Windows program under wine, which are wine's figures and not Windows': the size
# and imports of the .exe, the start-up time to its registered hotkeys, and its memory and wakeups
# while idle. Measures and prints; asserts nothing. Run after `make test-windows`:
#   tests/e2e/windows/measure.sh [BUILD]     (default build/windows)
set -euo pipefail
top=$(cd "$(dirname "$0")/../../.." && pwd)
build=$(realpath "${1:-$top/build/windows}")
exe=$build/lisotra.exe
work=$(mktemp -d /tmp/lisotra-measure.XXXXXX)
"$top/scripts/desktop.sh" start "$work/desktop" >/dev/null
# shellcheck disable=SC1091
. "$work/desktop/env"
export WINEPREFIX=$build/wineprefix WINEARCH=win64 WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
finish() {
  [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
  wineserver -k 2>/dev/null || true
  "$top/scripts/desktop.sh" stop "$work/desktop"
  rm -rf "$work"
}
trap finish EXIT
# Warm: the server and wine's own services are up, as Windows' are when a user starts a program.
wineserver -k 2>/dev/null || true  # one left from before would serve another display
wineserver -p
WINEDEBUG=-all wineboot >/dev/null 2>&1

echo "size: $(stat -c %s "$exe") bytes (stripped)"
echo "imports: $(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\tDLL Name: //p' | tr '\n' ' ')"

# Start-up: from the launch, on the wall clock (seen by polling every 10 ms), and from the moment
# wine loaded the .exe, on the clock of wine's own trace, which stamps each RegisterHotKey.
for run in 1 2 3 4 5; do
  start=$(date +%s.%N)
  WINEDEBUG=+timestamp,+keyboard,+loaddll wine "$exe" >"$work/trace" 2>&1 &
  pid=$!
  for _ in $(seq 1000); do [ "$(grep -c NtUserRegisterHotKey "$work/trace")" -ge 2 ] && break; sleep 0.01; done
  seen=$(date +%s.%N)
  loaded=$(grep -m1 'Loaded L".*lisotra.exe' "$work/trace" | grep -oE '^[0-9]+\.[0-9]+')
  registered=$(grep NtUserRegisterHotKey "$work/trace" | tail -1 | grep -oE '^[0-9]+\.[0-9]+')
  awk -v s="$start" -v w="$seen" -v l="$loaded" -v r="$registered" -v n="$run" \
    'BEGIN{printf "start-up %d: both hotkeys registered %.0f ms after the launch, %.0f ms after the .exe was loaded\n", n, (w-s)*1000, (r-l)*1000}'
  kill "$pid"
  wait "$pid" 2>/dev/null || true
done

# Idle: started, nothing shown, then left alone.
WINEDEBUG=-all wine "$exe" >/dev/null 2>&1 &
pid=$!
sleep 3
switches() { cat /proc/"$pid"/task/*/status | awk '/ctxt_switches/{n+=$2} END{print n}'; }
before=$(switches)
sleep 10
after=$(switches)
echo "idle: $((after - before)) context switches in 10 s over $(ls /proc/"$pid"/task | wc -l) threads"
# Wine fills PagefileUsage (what Windows counts as the private commit) and leaves PrivateUsage 0.
echo "idle memory as wine reports it (KiB): $(WINEDEBUG=-all wine "$build/tests/e2e/windows/memory_probe.exe" lisotra.exe | tr -d '\r')"
echo "idle memory as Linux sees the wine process (KiB): $(awk '/^Rss|^Private/{printf "%s%s ", $1, $2}' /proc/"$pid"/smaps_rollup)"
