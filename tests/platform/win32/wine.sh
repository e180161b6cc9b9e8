#!/usr/bin/env bash
# Runs a Windows test program under wine in the given private prefix (made on first use):
#   wine.sh PREFIX PROGRAM [ARGS...]
# The display is the caller's: the virtual desktop of `make test-windows`.
set -euo pipefail
export WINEPREFIX=${1:?prefix}
shift
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installers, no menu entries written into HOME.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
exec wine "$@"
