#!/usr/bin/env bash
# Installs what the builds and tests need from Debian's archive, only when missing.
# Everything is 64-bit: some machines run no 32-bit code at all.
set -euo pipefail

packages=(locales cmake g++ make googletest clang libclang-rt-14-dev
          g++-mingw-w64-x86-64 mingw-w64-x86-64-dev
          wine wine64 xvfb xauth xdotool imagemagick fonts-ipafont-gothic zip)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

# Wine names files through the Unix locale: Japanese file names need a Japanese
# UTF-8 locale to exist, not only the LANG setting.
ensure_japanese_locale() {
    locale -a 2>/dev/null | grep -qix 'ja_JP.utf8' && return 0
    echo "Generating the ja_JP.UTF-8 locale"
    $SUDO sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
    $SUDO locale-gen >/dev/null
}

if [ ${#missing[@]} -eq 0 ]; then
    ensure_japanese_locale
    exit 0
fi

echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
ensure_japanese_locale
