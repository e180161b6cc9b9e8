# shellcheck shell=bash
# How the Linux program is driven on the private desktop, for the scenarios' drivers (after
# lib.sh): the program started from $lisotra, its settings in the INI file, its icon in trayer and
# its menu and dialogs used by keyboard.
desktop_start
ini=$XDG_CONFIG_HOME/Lisotra/Lisotra.ini
tray_place="the tray"

launch() { "$lisotra" >>"$e2e_dir/$1" 2>&1 & }
start() {
  launch lisotra.log
  app_pid=$!
  wait_for docked
}
stop() {
  kill "$app_pid"
  wait "$app_pid" 2>/dev/null
}
# Key grabs show in no property: the scenarios know the program is ready when a hotkey works.
press() { xdotool key "ctrl+alt+$1"; }

# The text stored under SECTION\KEY (window unless given) as the program reads it back: the INI
# file quotes a text with outer spaces (key=" 6000"), and drops them from one it does not quote.
stored() {
  awk -v key="$1" -v section="[${2:-window}]" -F= '/^\[/ {in_section = $0 == section}
    in_section && $1 == key { sub(/^[^=]*=/, "");
      if ($0 ~ /^".*"$/) print substr($0, 2, length($0) - 2); else { gsub(/^ +| +$/, ""); print } }' "$ini" 2>/dev/null
}
store() {  # VALUE SECTION KEY: replaces the key in its section, adding either where missing
  mkdir -p "$(dirname "$ini")"
  touch "$ini"
  awk -v value="$1" -v section="[$2]" -v key="$3" -F= '
    /^\[/ { if (in_section && !done) { print key "=\"" value "\""; done = 1 } in_section = $0 == section }
    in_section && $1 == key { next }
    { print }
    END { if (!done) { if (!in_section) print "\n" section; print key "=\"" value "\"" } }' "$ini" >"$ini.new"
  mv "$ini.new" "$ini"
}
store_clear() { rm -f "$ini"; }

# The browser is the one $BROWSER names.
use_browser() { export BROWSER=$1; }

# No window of the program is left, the icon's neither.
icon_gone() { ! xwininfo -root -tree | grep -q '"lisotra"'; }
# The menu by keyboard: Show/Hide and Exit by their access keys, the others by their place.
choose() {
  case $1 in
    show_hide) xdotool key s ;;
    exit) xdotool key x ;;
    *)
      local -A places=([settings]=2 [help]=3 [about]=4 [donate]=5)
      for _ in $(seq "${places[$1]}"); do xdotool key Down; done
      xdotool key Return
      ;;
  esac
}
dismissal=Escape
dismiss_menu() { xdotool key Escape; }

# A dialog gets the keyboard when activated; its focus starts on OK.
give_keyboard() { activate "$1"; }
retype() {
  xdotool key Tab ctrl+a
  xdotool type "$1"
}
# The client area of a window is the X window inside openbox's frame.
origin() { xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} END{print x, y}'; }
client_click() {
  local x y
  read -r x y < <(origin "$1")
  xdotool mousemove $((x + $2)) $((y + $3)) click 1
}
client_pixel() { import -window "$1" "$e2e_dir/client.png" && pixel_in "$e2e_dir/client.png" "$2" "$3"; }
