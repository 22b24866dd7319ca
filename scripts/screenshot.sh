#!/usr/bin/env bash
# Takes the README's screenshots under Wine, in a virtual display, with the
# Japanese code page: the main window (docs/main-window.png), the rule editor
# (docs/rule-editor.png) and the hotkey options (docs/hotkey-options.png).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-prereqs.sh
. scripts/wine-env.sh
cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win -j "$(nproc)" --target pelmora open_dialog >/dev/null
dir=$(mktemp -d)
# A prefix of its own: ending its Wine server at the end ends only what this
# script started, never another run's programs.
export WINEPREFIX="$dir/prefix"
pelmora_wine_prefix
trap 'pelmora_wineserver -k 2>/dev/null || true; kill ${xvfb_pid:-0} 2>/dev/null || true; rm -rf "$dir"' EXIT
cp build/win/src/app/pelmora.exe build/win/src/app/pelmora.dll build/win/tools/open_dialog.exe "$dir/"
export DISPLAY=:48 LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
Xvfb "$DISPLAY" -screen 0 800x600x24 >/dev/null 2>&1 &
xvfb_pid=$!
sleep 1
# A Wine virtual desktop draws the window frames that a bare X server lacks.
(cd "$dir" && pelmora_wine explorer /desktop=Pelmora,800x600 pelmora.exe >/dev/null 2>&1 &)
for _ in $(seq 1 40); do
    xdotool search --name '^Pelmora$' >/dev/null 2>&1 && break
    sleep 0.5
done
sleep 3
mkdir -p docs
import -window root -crop 480x330+180+180 +repage docs/main-window.png
echo "Wrote docs/main-window.png"

# A dialog opened by its menu command, cropped to its frame, then closed.
dialog_shot() {
    local command=$1 caption=$2 file=$3 rect
    rect=$(cd "$dir" && pelmora_wine explorer /desktop=Pelmora,800x600 open_dialog.exe "$command" "$caption" | tr -d '\r')
    read -r x y w h <<<"$rect"
    sleep 1
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$file"
    (cd "$dir" && pelmora_wine explorer /desktop=Pelmora,800x600 open_dialog.exe close "$caption" >/dev/null 2>&1) || true
    echo "Wrote $file"
}
dialog_shot 400 "自動ウィンドウ制御 - 設定" docs/rule-editor.png
dialog_shot 107 "ホットキー - 設定" docs/hotkey-options.png
