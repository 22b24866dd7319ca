#!/usr/bin/env bash
# Installs what the builds and tests need from Debian's archive, only when missing.
set -euo pipefail

packages=(cmake g++ make googletest clang libclang-rt-14-dev
          g++-mingw-w64-i686 mingw-w64-i686-dev
          wine wine32:i386 wine64 xvfb xauth xdotool imagemagick fonts-ipafont-gothic zip)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
