#!/usr/bin/env bash
# The Windows packages as a person gets them, made by cpack from this build tree: the portable
# zip's contents; the installer run silently under wine for one user, the installed program
# started from its Start menu folder's target, its run-at-startup box ticked; then the silent
# uninstaller, which takes the files, the shortcut, the Run entry and its Apps & features entry
# away and leaves the user's settings.
#   windows.sh BUILD WINEPREFIX
set -u
build=$(realpath "${1:?build folder}")
prefix=$(realpath -m "${2:?wine prefix}")
# shellcheck source=../e2e/lib.sh
. "$(dirname "$0")/../e2e/lib.sh"
# shellcheck source=../e2e/windows/wine_lib.sh
. "$(dirname "$0")/../e2e/windows/wine_lib.sh"

(cd "$build" && cpack -G "NSIS;ZIP" -B "$e2e_dir/out") >"$e2e_dir/cpack.log" 2>&1
setup=$(find "$e2e_dir/out" -maxdepth 1 -name "*-setup.exe" 2>/dev/null | head -1)
zip=$(find "$e2e_dir/out" -maxdepth 1 -name "*-portable.zip" 2>/dev/null | head -1)
check "cpack makes the installer and the zip" test -n "$setup" -a -n "$zip"
if [ -z "$setup" ] || [ -z "$zip" ]; then cat "$e2e_dir/cpack.log"; finish; exit 1; fi
echo "     $(basename "$setup"): $(stat -c %s "$setup") bytes; $(basename "$zip"): $(stat -c %s "$zip") bytes"
zip_files=$(unzip -Z1 "$zip" | grep -v '/$' | sed 's|^[^/]*/||' | sort | tr '\n' ' ')
check "the zip holds the program, the README and the licence ($zip_files)" test "$zip_files" = "LICENSE README.txt lisotra.exe "

# Wine's own tray window takes clicks; see windows_tray.sh.
wine_desktop_start "$prefix" without_tray
user=${USER:-$(id -un)}
user_dir=$prefix/drive_c/users/$user
appdata=$user_dir/AppData
dir=$appdata/Local/Programs/Lisotra
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Lisotra'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
settings_key='HKCU\Software\Lisotra'
reg() { "$wine_run" "$prefix" reg "$@" 2>/dev/null | tr -d '\r'; }
has_value() { reg query "$1" /v "$2" | grep -q "^    $2    "; }
no_value() { ! has_value "$@"; }
value_of() { reg query "$1" /v "$2" | sed -n "s/^    $2    REG_SZ    //p"; }
"$wine_run" "$prefix" reg delete "$settings_key" /f >/dev/null 2>&1
"$wine_run" "$prefix" reg delete "$run_key" /v lisotra.exe /f >/dev/null 2>&1

"$wine_run" "$prefix" "$setup" /S >"$e2e_dir/setup.log" 2>&1
check "the silent installer succeeds" test $? -eq 0
for file in lisotra.exe README.txt LICENSE Uninstall.exe; do
  check "it installs $file under the user's programs folder" test -f "$dir/$file"
done
check "it adds the Start menu shortcut" test -f "$appdata/Roaming/Microsoft/Windows/Start Menu/Programs/Lisotra.lnk"
check "it registers the uninstaller for the user" has_value "$uninstall_key" UninstallString
version=$(sed -n 's/^project(Lisotra VERSION \([0-9.]*\).*/\1/p' "$here/../../CMakeLists.txt")
check "with the project's version" test "$(value_of "$uninstall_key" DisplayVersion)" = "$version"
check "and not for every user" no_value 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Lisotra' UninstallString

"$wine_run" "$prefix" "$dir/lisotra.exe" >"$e2e_dir/lisotra.log" 2>&1 &
app_pid=$!
check "the installed program docks its icon" wait_for docked
[ -n "$(tray_window)" ] && xdotool windowmove "$(tray_window)" 1000 700
sleep 1
import -window root "$e2e_dir/installed.png"
[ -n "${E2E_SCREENSHOTS:-}" ] && cp "$e2e_dir/installed.png" "$E2E_SCREENSHOTS/windows-installed.png"

# Run At StartUp from the tray's Settings: a click on a label gives the dialog the keyboard on OK,
# and the box is third along the focus order from there.
click_icon 1
wait_for menu_open
choose settings
check "Settings opens from the tray" wait_for shown "Lisotra Settings."
give_keyboard "$(titled "Lisotra Settings.")" 20 175
xdotool key Tab Tab Tab space
check "ticking Run At StartUp writes the Run entry" wait_for has_value "$run_key" lisotra.exe
import -window root "$e2e_dir/settings.png"
[ -n "${E2E_SCREENSHOTS:-}" ] && cp "$e2e_dir/settings.png" "$E2E_SCREENSHOTS/windows-settings.png"
run_value=$(value_of "$run_key" lisotra.exe)
check "which starts the installed program ($run_value)" grep -qiF "\"C:\\users\\$user\\AppData\\Local\\Programs\\Lisotra\\lisotra.exe\"" <<<"$run_value"
xdotool key Return  # OK: the settings are stored
check "OK stores the settings" wait_for has_value "$settings_key\\default" key
click_icon 1
wait_for menu_open
choose exit
check "Exit ends the program" wait_for bash -c "! kill -0 $app_pid 2>/dev/null"
app_pid=""

# The uninstaller copies itself away and returns at once; the copy removes the original last.
"$wine_run" "$prefix" "$dir/Uninstall.exe" /S >"$e2e_dir/uninstall.log" 2>&1
for _ in $(seq 60); do [ -e "$dir/Uninstall.exe" ] || break; sleep 0.5; done
check "the silent uninstaller removes the program's folder" test ! -e "$dir"
check "and the Start menu shortcut" test ! -e "$appdata/Roaming/Microsoft/Windows/Start Menu/Programs/Lisotra.lnk"
check "and the Run entry" no_value "$run_key" lisotra.exe
check "and its Apps & features entry" no_value "$uninstall_key" UninstallString
check "and keeps the user's settings" has_value "$settings_key\\default" key
"$wine_run" "$prefix" reg delete "$settings_key" /f >/dev/null 2>&1
finish
