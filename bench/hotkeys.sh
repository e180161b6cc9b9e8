#!/usr/bin/env bash
# Lisotra against the least Qt program that does the same, in a private virtual desktop.
#   bench/hotkeys.sh BUILD-DIR [RUNS]
set -euo pipefail
build=$(realpath "${1:?build folder}")
runs=${2:-10}
top=$(cd "$(dirname "$0")/.." && pwd)
dir=$(mktemp -d /tmp/lisotra-bench.XXXXXX)
trap '"$top/scripts/desktop.sh" stop "$dir"; rm -rf "$dir"' EXIT
"$top/scripts/desktop.sh" start "$dir" >/dev/null
# shellcheck disable=SC1091
. "$dir/env"
"$build/bench/hotkey_probe" "$runs" "$build/bench/least_qt"
"$build/bench/hotkey_probe" "$runs" "$build/lisotra"
