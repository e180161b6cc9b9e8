#!/usr/bin/env bash
# Installs the Debian packages a make target needs, only those missing; silent when all are there.
set -euo pipefail

build=(cmake g++ make pkg-config locales libgtest-dev libbenchmark-dev qt6-base-dev libxcb-keysyms1-dev libx11-dev libxtst-dev libglib2.0-dev)
desktop=(xvfb openbox trayer xcompmgr xdotool x11-utils x11-xserver-utils imagemagick desktop-file-utils libglib2.0-bin fonts-liberation2 dbus-daemon xdg-desktop-portal systemd)
windows=(g++-mingw-w64-x86-64-posix wine wine64)
# Making the packages and checking them: the Debian package, the Windows installer and zip.
deb=(dpkg-dev file lintian appstream desktop-file-utils imagemagick)
installer=(nsis unzip)
fuzz=(clang)

wanted=()
for profile in "$@"; do
  case "$profile" in
    build) wanted+=("${build[@]}") ;;
    desktop) wanted+=("${desktop[@]}") ;;
    windows) wanted+=("${windows[@]}") ;;
    deb) wanted+=("${deb[@]}") ;;
    installer) wanted+=("${installer[@]}") ;;
    fuzz) wanted+=("${fuzz[@]}") ;;
    *) echo "deps.sh: unknown profile $profile" >&2; exit 2 ;;
  esac
done

missing=()
for pkg in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing ${missing[*]}" >&2
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
