#!/usr/bin/env bash
# Takes the README's screenshots under Wine, in a virtual display, with the
# Japanese code page: the main window (docs/main-window.png), the rule editor
# (docs/rule-editor.png) and the hotkey options (docs/hotkey-options.png), at
# 96 DPI, and the same at 144 DPI (docs/*-144dpi.png), the 150 % of many
# laptops, through Wine's LogPixels.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-prereqs.sh
. scripts/wine-env.sh
cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win -j "$(nproc)" --target pelmora open_dialog >/dev/null
mkdir -p docs

# One set of screenshots at a DPI, in a prefix and display of its own: ending
# its Wine server ends only what this run started, never another run's programs.
shots() {
    local dpi=$1 suffix=$2 dir scale
    dir=$(mktemp -d)
    scale=$((dpi * 100 / 96))
    (
        export WINEPREFIX="$dir/prefix" DISPLAY=:48 LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
        pelmora_wine_prefix
        pelmora_wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
        pelmora_wineserver -w || true
        trap 'pelmora_wineserver -k 2>/dev/null || true; kill ${xvfb_pid:-0} 2>/dev/null || true; rm -rf "$dir"' EXIT
        cp build/win/src/app/pelmora.exe build/win/src/app/pelmora.dll build/win/tools/open_dialog.exe "$dir/"
        local w=$((800 * scale / 100)) h=$((600 * scale / 100))
        Xvfb "$DISPLAY" -screen 0 "${w}x${h}x24" >/dev/null 2>&1 &
        xvfb_pid=$!
        sleep 1
        # A Wine virtual desktop draws the window frames that a bare X server lacks.
        (cd "$dir" && pelmora_wine explorer /desktop=Pelmora,${w}x${h} pelmora.exe >/dev/null 2>&1 &)
        for _ in $(seq 1 40); do
            xdotool search --name '^Pelmora$' >/dev/null 2>&1 && break
            sleep 0.5
        done
        sleep 3
        local crop
        crop="$((480 * scale / 100))x$((330 * scale / 100))+$((180 * scale / 100))+$((180 * scale / 100))"
        import -window root -crop "$crop" +repage "docs/main-window$suffix.png"
        echo "Wrote docs/main-window$suffix.png"
        # A dialog opened by its menu command, cropped to its frame, then closed.
        dialog_shot() {
            local command=$1 caption=$2 file=$3 rect x y wd ht
            rect=$(cd "$dir" && pelmora_wine explorer /desktop=Pelmora,${w}x${h} open_dialog.exe "$command" "$caption" |
                tr -d '\r')
            read -r x y wd ht <<<"$rect"
            sleep 1
            import -window root -crop "${wd}x${ht}+${x}+${y}" +repage "$file"
            (cd "$dir" && pelmora_wine explorer /desktop=Pelmora,${w}x${h} open_dialog.exe close "$caption" >/dev/null 2>&1) ||
                true
            echo "Wrote $file"
        }
        # The commands 新規 (400) and ホットキーの設定... (107) of src/MenuDescription.h.
        dialog_shot 400 "自動ウィンドウ制御 - 設定" "docs/rule-editor$suffix.png"
        dialog_shot 107 "ホットキー - 設定" "docs/hotkey-options$suffix.png"
    )
}
shots 96 ""
shots 144 "-144dpi"
