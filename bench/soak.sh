#!/usr/bin/env bash
# A long day of use in a private virtual desktop: the panel shown and hidden through the hotkeys
# many times, the tray menu opened many times, and the tray host ended and started again; what the
# program holds (memory, X resources; under wine also GDI and USER objects) is printed after a
# warm-up and at the end. Figures that grow with the number of cycles are a leak.
#   bench/soak.sh linux LINUX-BUILD [CYCLES MENUS TRAY-RESTARTS]     (10000 1000 50)
#   bench/soak.sh windows LINUX-BUILD WINDOWS-BUILD [CYCLES MENUS]   (2000 1000)
# LINUX-BUILD holds bench/soak_driver; WINDOWS-BUILD lisotra.exe and memory_probe.exe.
set -u
system=${1:?linux or windows}
linux_build=$(realpath "${2:?linux build folder}")
driver=$linux_build/bench/soak_driver
top=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=../tests/e2e/lib.sh
. "$top/tests/e2e/lib.sh"
command -v xrestop >/dev/null || { echo "soak.sh: xrestop is needed (apt-get install xrestop)" >&2; exit 2; }

# The X resources a client holds, by its process id: "windows pixmaps gcs".
x_resources() {
  xrestop -b -m 1 2>/dev/null | awk -v pid="$1" '
    /^[0-9]+ - / { mine = ($0 ~ "PID: *" pid " ") }
    mine && $1 == "windows" { w = $3 } mine && $1 == "pixmaps" { px = $3 } mine && $1 == "GCs" { gc = $3 }
    END { print w, px, gc }'
}

# Resident memory, and the part of it that is the process's own anonymous memory (its heap):
# shared library pages count as private once no other process maps them, so only the latter
# tells a leak from what other programs happen to do meanwhile.
report() {  # label pid [more]
  local rss anonymous
  rss=$(awk '/^VmRSS:/ {print $2}' "/proc/$2/status")
  anonymous=$(awk '/^Anonymous:/ {print $2}' "/proc/$2/smaps_rollup")
  read -r w px gc < <(x_resources "$2")
  printf '%-30s resident %6s KiB  anonymous %6s KiB  X windows %3s  pixmaps %3s  GCs %3s%s\n' \
    "$1" "$rss" "$anonymous" "$w" "$px" "$gc" "${3:-}"
}

case "$system" in
linux)
  cycles=${3:-10000} menus=${4:-1000} restarts=${5:-50}
  desktop_start
  "$linux_build/lisotra" >"$e2e_dir/lisotra.log" 2>&1 &
  app_pid=$!
  docked() { xwininfo -root -tree | grep -E '"Lisotra": \("lisotra"' | grep -E ' 2[0-9]x2[0-9]\+' >/dev/null; }
  icon_at() {
    xwininfo -root -tree | grep -E '"Lisotra": \("lisotra"' |
      awk '$5 ~ /^2[0-9]x2[0-9]\+/ {split($6,p,"+"); print p[2] + 11, p[3] + 11; exit}'
  }
  wait_for docked || { echo "soak.sh: the icon did not dock"; cat "$e2e_dir/lisotra.log"; exit 1; }
  "$driver" 100 20 $(icon_at) >/dev/null  # warm-up: first uses fill caches
  report "after warm-up" "$app_pid"
  "$driver" "$cycles" "$menus" $(icon_at) || status=1
  report "after $cycles cycles, $menus menus" "$app_pid"
  undocked=0
  for _ in $(seq "$restarts"); do
    stop_tray
    start_tray
    wait_for docked || undocked=$((undocked + 1))
  done
  "$driver" 100 20 $(icon_at) >/dev/null || status=1
  report "after $restarts tray restarts" "$app_pid" " (icon not back $undocked times)"
  kill -0 "$app_pid" || { echo "soak.sh: the program ended"; status=1; }
  ;;
windows)
  windows_build=$(realpath "${3:?windows build folder}")
  cycles=${4:-2000} menus=${5:-1000}
  # shellcheck source=../tests/e2e/windows/wine_lib.sh
  . "$top/tests/e2e/windows/wine_lib.sh"
  wine_desktop_start "$e2e_dir/prefix" without_tray
  # Wine hands hotkeys to its programs only while one of its windows has the X focus: a Notepad
  # holds it while the hotkeys are pressed. Menus are opened while none runs (with Notepad in the
  # foreground, wine soon stops opening the tray icon's menu, by hand too).
  focus_window() { xdotool search --onlyvisible --name 'Notepad' 2>/dev/null | head -1; }
  with_focus() {
    wine notepad >/dev/null 2>&1 &
    focus_pid=$!
    wait_for focus_window >/dev/null
    xdotool windowactivate --sync "$(focus_window)" 2>/dev/null
    "$driver" "$1" || status=1
    kill "$focus_pid"
    wait_for bash -c "! xdotool search --onlyvisible --name Notepad >/dev/null 2>&1"
  }
  wine "$windows_build/lisotra.exe" >"$e2e_dir/lisotra.log" 2>&1 &
  app_pid=$!  # wine runs the program in the process it was started as
  wait_for docked
  sleep 1
  # What Windows reports of the process (wine gives no GDI or USER object counts: 0 there).
  objects() { wine "$windows_build/tests/e2e/windows/memory_probe.exe" lisotra.exe | tr -d '\r'; }
  "$driver" 0 10 $(icon_at) >/dev/null
  with_focus 50 >/dev/null
  report "after warm-up" "$app_pid" "  $(objects)"
  "$driver" 0 "$menus" $(icon_at) || status=1
  with_focus "$cycles"
  report "after $cycles cycles, $menus menus" "$app_pid" "  $(objects)"
  ;;
esac
exit "${status:-0}"
