#!/usr/bin/env bash
# Runs the Windows tests (ctest in BUILD) under wine in a private virtual desktop, with the build's
# own wine prefix; ends the wine server and the desktop afterwards.
#   ctest_in_desktop.sh BUILD [CTEST ARGS...]
set -euo pipefail
build=$(realpath "${1:?build folder}")
shift
top=$(cd "$(dirname "$0")/../../.." && pwd)
desktop=$build/desktop
"$top/scripts/desktop.sh" start "$desktop" >/dev/null
# shellcheck disable=SC1091
. "$desktop/env"
export WINEPREFIX=$build/wineprefix WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
finish() {
  wineserver -k 2>/dev/null || true
  "$top/scripts/desktop.sh" stop "$desktop"
}
trap finish EXIT
# A new prefix takes a while to make, and the first program on a desktop starts wine's own
# services: both once, here, not within a test's time limit. The server stays up between tests.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi
wineserver -p
wineboot >/dev/null 2>&1
cd "$build"
ctest --output-on-failure "$@"
