#!/usr/bin/env bash
# The Debian package as a person gets it: made by cpack from this build tree, what it holds and
# depends on, what the desktop's validators and lintian say of it, and the program it installs
# started from the unpacked files: the icon docks, and the run-at-startup box registers that copy.
#   deb.sh BUILD
set -u
build=$(realpath "${1:?build folder}")
# shellcheck source=../e2e/lib.sh
. "$(dirname "$0")/../e2e/lib.sh"
id=org.lisotra.Lisotra

(cd "$build" && cpack -G DEB -B "$e2e_dir/out") >"$e2e_dir/cpack.log" 2>&1
deb=$(find "$e2e_dir/out" -maxdepth 1 -name "*.deb" 2>/dev/null | head -1)
check "cpack makes the package" test -n "$deb"
[ -n "$deb" ] || { cat "$e2e_dir/cpack.log"; finish; exit 1; }
echo "     $(basename "$deb"): $(stat -c %s "$deb") bytes"

dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$e2e_dir/contents"
holds() { grep -qx "$1" "$e2e_dir/contents"; }
check "it holds the program in /usr/bin" holds /usr/bin/lisotra
check "and nothing else there (no tests, no benchmarks, no tools)" \
  test "$(grep -c '^/usr/bin/.' "$e2e_dir/contents")" = 1
check "the desktop entry" holds /usr/share/applications/$id.desktop
check "the AppStream metadata" holds /usr/share/metainfo/$id.metainfo.xml
check "the man page" holds /usr/share/man/man1/lisotra.1.gz
check "the copyright file and the changelog" \
  bash -c "grep -qx /usr/share/doc/lisotra/copyright '$e2e_dir/contents' && grep -qx /usr/share/doc/lisotra/changelog.gz '$e2e_dir/contents'"
for size in 16 22 24 32 48 64 128 256; do
  check "the ${size}px icon" holds /usr/share/icons/hicolor/${size}x${size}/apps/$id.png
done
check "nothing outside /usr" test -z "$(grep -v -e '^/usr/' -e '^/$' "$e2e_dir/contents")"

depends=$(dpkg-deb -f "$deb" Depends)
echo "     Depends: $depends"
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libxcb1 libc6; do
  check "it depends on $lib" grep -q "\b$lib\b" <<<"$depends"
done
check "its version is the project's" test "$(dpkg-deb -f "$deb" Version)" = "$(sed -n 's/^project(Lisotra VERSION \([0-9.]*\).*/\1/p' "$here/../../CMakeLists.txt")"
for field in Section Maintainer Homepage Description; do
  check "it has a $field" test -n "$(dpkg-deb -f "$deb" $field)"
done

root=$e2e_dir/root
dpkg-deb -x "$deb" "$root"
check "desktop-file-validate accepts the desktop entry" desktop-file-validate "$root/usr/share/applications/$id.desktop"
check "appstreamcli accepts the metadata" appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml"
check "the program is stripped" bash -c "file '$root/usr/bin/lisotra' | grep -q ', stripped'"
icon_size_ok() {
  local size=$1 file=$root/usr/share/icons/hicolor/$1x$1/apps/$id.png
  [ "$(identify -format '%wx%h' "$file")" = "${size}x${size}" ] &&
    # Drawn, not blank: part of it is clear, part of it opaque.
    [ "$(convert "$file" -alpha extract -format '%[fx:minima] %[fx:maxima]' info:)" = "0 1" ]
}
for size in 16 48 256; do check "the ${size}px icon is a drawn ${size}x${size} picture" icon_size_ok $size; done

lintian --allow-root --tag-display-limit 0 "$deb" >"$e2e_dir/lintian.log" 2>&1
sed 's/^/     lintian: /' "$e2e_dir/lintian.log"
check "lintian reports no errors" test -z "$(grep '^E:' "$e2e_dir/lintian.log")"

# The unpacked program, as a person starts it.
desktop_start
lisotra=$root/usr/bin/lisotra
"$lisotra" >"$e2e_dir/lisotra.log" 2>&1 &
app_pid=$!
check "the unpacked program docks its icon in the tray" wait_for docked
check "and shows no panel: it starts to its tray" test -z "$(panels)"
sleep 0.5
import -window root "$e2e_dir/docked.png"
[ -n "${E2E_SCREENSHOTS:-}" ] && cp "$e2e_dir/docked.png" "$E2E_SCREENSHOTS/deb-docked.png"

# Run At StartUp, from the tray's Settings: third along the focus order from OK.
check "Settings opens from the tray" open_settings
xdotool key Tab Tab Tab space
entry=$XDG_CONFIG_HOME/autostart/lisotra.exe.desktop
check "ticking Run At StartUp writes the autostart entry" wait_for test -f "$entry"
import -window root "$e2e_dir/settings.png"
[ -n "${E2E_SCREENSHOTS:-}" ] && cp "$e2e_dir/settings.png" "$E2E_SCREENSHOTS/deb-settings.png"
exec_line=$(sed -n 's/^Exec=//p' "$entry" 2>/dev/null)
check "whose Exec starts the installed program ($exec_line)" test "$exec_line" = "$lisotra" -o "$exec_line" = "\"$lisotra\""
xdotool key space
check "clearing it removes the entry" wait_for test ! -f "$entry"
xdotool key Escape
finish
