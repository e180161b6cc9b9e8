#!/usr/bin/env bash
# lisotra.exe as it is handed out: one file within its size budget, importing only Windows' own
# DLLs, and none that its start-up does not need (common controls and COM are loaded when first
# used: every process would otherwise load and set them up before the program's first line).
# Its version resource carries the project's version, as Explorer's Details tab shows it.
#   exe_contents.sh LISOTRA.EXE VERSION
set -u
exe=${1:?path to lisotra.exe}
version=${2:?the project version}
budget=$((300 * 1024))
failures=0
check() {  # check "what" command...
  local what=$1
  shift
  if "$@"; then echo "ok   $what"; else echo "FAIL $what"; failures=$((failures + 1)); fi
}
size=$(stat -c %s "$exe")
imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\tDLL Name: //p' | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
echo "size $size bytes; imports: $imports"
check "it is within its $budget-byte budget" test "$size" -le "$budget"
check "it imports only kernel32, user32, gdi32, advapi32, shell32 and msvcrt" \
  test "$imports" = "advapi32.dll gdi32.dll kernel32.dll msvcrt.dll shell32.dll user32.dll "
check "its manifest still asks for common controls 6" grep -q -a 'name="Microsoft.Windows.Common-Controls" version="6' "$exe"
versions=$(strings -el "$exe" | grep -A1 -x -e FileVersion -e ProductVersion | grep -vx -e FileVersion -e ProductVersion -e -- | tr '\n' ' ')
check "its version resource says $version ($versions)" test "$versions" = "$version $version "
[ "$failures" -eq 0 ]
