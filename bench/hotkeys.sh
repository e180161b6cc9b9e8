#!/usr/bin/env bash
# Lisotra against the least Qt program that does the same, in a private virtual desktop.
#   bench/hotkeys.sh BUILD-DIR [RUNS]
# Start-up is measured in pairs, one start of each program after the other, and judged by the
# median of each pair's own ratio: other work on the machine slows both starts of a pair alike,
# while two series measured apart can differ by a tenth for that alone. Then each program's own
# probe: key to window, idle memory and wakeups.
set -euo pipefail
build=$(realpath "${1:?build folder}")
runs=${2:-30}
top=$(cd "$(dirname "$0")/.." && pwd)
dir=$(mktemp -d /tmp/lisotra-bench.XXXXXX)
trap '"$top/scripts/desktop.sh" stop "$dir"; rm -rf "$dir"' EXIT
"$top/scripts/desktop.sh" start "$dir" >/dev/null
# shellcheck disable=SC1091
. "$dir/env"
probe=$build/bench/hotkey_probe
least=$build/bench/least_qt
start() { "$probe" 1 "$1" 2>/dev/null | sed -n 's/.*start to hotkeys live \([0-9.]*\) ms.*/\1/p'; }
for _ in $(seq "$runs"); do
  echo "$(start "$least") $(start "$build/lisotra")"
done >"$dir/starts"
sort -n -k1 "$dir/starts" | awk '{a[NR]=$1} END {printf "least_qt start to hotkeys live: median %.1f ms\n", a[int((NR+1)/2)]}'
sort -n -k2 "$dir/starts" | awk '{a[NR]=$2} END {printf "lisotra  start to hotkeys live: median %.1f ms\n", a[int((NR+1)/2)]}'
awk '{print $2 / $1}' "$dir/starts" | sort -n |
  awk '{a[NR]=$1} END {printf "lisotra / least_qt, median of %d paired starts: %.3f x (quartiles %.3f-%.3f)\n", NR, a[int((NR+1)/2)], a[int((NR+3)/4)], a[int((3*NR+1)/4)]}'
"$probe" 5 "$least"
"$probe" 5 "$build/lisotra"
