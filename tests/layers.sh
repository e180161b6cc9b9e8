#!/usr/bin/env bash
# The layers of the source tree, as its includes show them: the program folders, then the form
# runtime (forms), then the platform. A folder includes only folders below it or beside it with no
# way back (no cycle), and OS headers appear only in a realisation (src/platform/<realisation>).
#   tests/layers.sh SOURCE-FOLDER
set -u
src=${1:?the src folder}
program=(shell panel settings colorpicker startup info)
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

# The folders a folder's files include (platform's realisations count as platform).
uses() {
  grep -rhoE '#include "(shell|panel|settings|colorpicker|startup|info|forms|platform)/' "$src/$1" \
    --include=*.cpp --include=*.h --include=*.in | sed -E 's/#include "//; s/\///' | sort -u | grep -vx "$1"
}

for folder in "${program[@]}" forms platform; do
  for used in $(uses "$folder"); do
    case "$folder:$used" in
      forms:platform) ;;
      forms:* | platform:*) fail "$folder includes $used" ;;
      *) uses "$used" | grep -qx "$folder" && fail "$folder and $used include each other" ;;
    esac
  done
done

# A longer cycle among the program folders: a depth-first walk that meets a folder on its path.
walk() {  # PATH...
  local next
  for next in $(uses "${!#}"); do
    [[ " ${program[*]} " == *" $next "* ]] || continue
    [[ " $* " == *" $next "* ]] && { fail "cycle: $* $next"; continue; }
    walk "$@" "$next"
  done
}
for folder in "${program[@]}"; do walk "$folder"; done

os_headers='#include <(windows\.h|shellapi\.h|commctrl\.h|Q[A-Za-z]+|X11/|xcb/|glib)'
for folder in "${program[@]}" forms; do
  grep -rlE "$os_headers" "$src/$folder" --include=*.cpp --include=*.h | while read -r file; do
    echo "FAIL $file includes an OS header"
  done | grep -q . && fail "OS headers outside a realisation"
done
grep -lE "$os_headers" "$src"/platform/*.h "$src"/platform/*.cpp 2>/dev/null | grep -q . && fail "OS headers in src/platform itself"

[ "$failures" -eq 0 ] && echo "the layers hold"
[ "$failures" -eq 0 ]
