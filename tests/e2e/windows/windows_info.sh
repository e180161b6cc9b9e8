#!/usr/bin/env bash
# The About box and the donate window of the Windows program under wine: both from the tray, OK
# and Escape close the About box, its link and the donate picture reach the browser (a click on
# the message does not), System Info says when there is no tool, and the donate window sits at the
# bottom right of the screen.
#   windows_info.sh LISOTRA.EXE WINEPREFIX
set -u
exe=$(realpath "${1:?path to lisotra.exe}")
prefix=$(realpath -m "${2:?wine prefix}")
# shellcheck source=../lib.sh
. "$(dirname "$0")/../lib.sh"
# shellcheck source=wine_lib.sh
. "$(dirname "$0")/wine_lib.sh"
# Wine's own tray window takes clicks; see windows_tray.sh.
wine_desktop_start "$prefix" without_tray

# The default browser: records what it was asked to open (see windows_tray.sh).
cat >"$e2e_dir/browser" <<SH
#!/bin/sh
echo "\$@" >>"$e2e_dir/opened"
SH
chmod +x "$e2e_dir/browser"
"$wine_run" "$prefix" reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /t REG_SZ /d "$e2e_dir/browser" /f >/dev/null 2>&1
opened_count() { grep -c "^$1\$" "$e2e_dir/opened" 2>/dev/null || true; }
# For wait_for: counted again on every try (the browser launcher writes a moment after the click).
opened() { [ "$(opened_count "$1")" = "$2" ]; }

"$wine_run" "$prefix" "$exe" >"$e2e_dir/lisotra.log" 2>&1 &
app_pid=$!
check "the icon shows in Wine's tray window" wait_for docked
[ -n "$(tray_window)" ] && xdotool windowmove "$(tray_window)" 1000 700

click_icon 1
wait_for menu_open
choose 3
check "About from the tray opens the About box" wait_for shown "About Lisotra"
about=$(titled "About Lisotra")
aw=382 ah=237  # its client area, 5730 x 3555 twips
sleep 0.5
import -window "$about" "$e2e_dir/about.png"
click_in "$about" $aw $ah 100 40  # the description: the keyboard comes to the box, its focus on OK
sleep 0.3
xdotool key Escape
check "Escape closes it" wait_for gone "About Lisotra"
click_icon 1
wait_for menu_open
choose 3
wait_for shown "About Lisotra"
about=$(titled "About Lisotra")
sleep 0.5
click_in "$about" $aw $ah $((1920 / 15 + 30)) $((2640 / 15 + 8))  # the link
# Wine's browser launcher ends a bare site address with a slash.
check "the link opens the home page" wait_for opened 'https://lisotra.org/\?' 1
click_in "$about" $aw $ah $((4260 / 15 + 40)) $((3075 / 15 + 11))  # System Info...
check "System Info without a tool says so" wait_for shown Lisotra
xdotool key Return
check "and its OK closes the message" wait_for gone Lisotra
check "the About box stays open meanwhile" shown "About Lisotra"
click_in "$about" $aw $ah $((4245 / 15 + 40)) $((2625 / 15 + 11))  # OK
check "OK closes it" wait_for gone "About Lisotra"

click_icon 1
wait_for menu_open
choose 4
check "Donate from the tray opens the donate window" wait_for shown "Lisotra - donate"
donate=$(titled "Lisotra - donate")
dw=554 dh=187  # its client area, 8310 x 2805 twips
sleep 0.5
import -window "$donate" "$e2e_dir/donate.png"
read -r fx fy fw fh < <(frame_of "$donate")
# Its frame 100 twips (7 pixels) from the right of the 1280 x 800 screen and 1200 twips (80) above
# its bottom. The window manager decorates this window: the X window is wine's client area, inside
# wine's fixed-dialog border of 3 pixels.
check "it sits at the bottom right ($fx $fy ${fw}x$fh)" test "$((fx + fw + 3)) $((fy + fh + 3))" = "1273 720"
click_in "$donate" $dw $dh 100 40  # the message
sleep 1
check "a click on the message opens nothing" test "$(opened_count https://lisotra.org/say-thanks)" = 0
click_in "$donate" $dw $dh $((5280 / 15 + 90)) $((1800 / 15 + 25))
sleep 0.7
click_in "$donate" $dw $dh $((5280 / 15 + 90)) $((1800 / 15 + 25))
check "each click on the picture opens the thanks page" wait_for opened https://lisotra.org/say-thanks 2
[ -n "${E2E_SCREENSHOTS:-}" ] && cp "$e2e_dir"/about.png "$e2e_dir"/donate.png "$E2E_SCREENSHOTS"/
finish
