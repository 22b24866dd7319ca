#!/usr/bin/env bash
# Installs what is missing, builds the Windows program and starts it under Wine.
# With no X display at hand it runs in a virtual one (Xvfb) and says how to look.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-prereqs.sh
. scripts/wine-env.sh

cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win -j "$(nproc)" --target pelmora pelmora_hooklib
pelmora_wine_prefix

# The program keeps its settings beside itself: run it from a folder of its own.
app_dir="${PELMORA_RUN_DIR:-$PWD/build/run}"
mkdir -p "$app_dir"
cp build/win/src/app/pelmora.exe build/win/src/app/pelmora.dll build/win/src/app/ReadMe.txt "$app_dir/"
export LANG="${PELMORA_LANG:-ja_JP.UTF-8}" LC_ALL="${PELMORA_LANG:-ja_JP.UTF-8}"

if [ -z "${DISPLAY:-}" ]; then
    display=":${PELMORA_DISPLAY:-47}"
    Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
    xvfb_pid=$!
    trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
    export DISPLAY="$display"
    sleep 1
    echo "No display: Pelmora runs in the virtual display $display."
    echo "To see it, in another shell: DISPLAY=$display import -window root pelmora.png"
    echo "(or attach a VNC server such as x11vnc to $display). Ctrl+C ends it."
fi
echo "Starting $app_dir/pelmora.exe (settings: $app_dir/pelmora.xml)"
cd "$app_dir"
exec "$WINELOADER" explorer /desktop=Pelmora,1024x720 pelmora.exe "$@"
