#!/usr/bin/env bash
# The Windows program is one small file: under 300 KB as built for release (stripped), importing
# only Windows' own DLLs.
#   exe_budget.sh LISOTRA_EXE OBJDUMP
set -u
exe=${1:?the program} objdump=${2:?objdump}
size=$(stat -c %s "$exe")
echo "$(basename "$exe"): $size bytes"
[ "$size" -lt $((300 * 1024)) ] || { echo "FAIL larger than 300 KB"; exit 1; }
imports=$("$objdump" -p "$exe" | awk '/DLL Name:/ {print tolower($3)}' | sort -u)
echo "imports: $(echo $imports)"
for dll in $imports; do
  case "$dll" in
    kernel32.dll | user32.dll | gdi32.dll | advapi32.dll | shell32.dll | msvcrt.dll | ole32.dll | comctl32.dll) ;;
    *) echo "FAIL imports $dll, which Windows does not ship"; exit 1 ;;
  esac
done
