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
# Something to try at once: Wine's Notepad opens beside Pelmora, in the same
# desktop, with a few first steps to follow.
{
    printf '\xEF\xBB\xBF'
    printf '%s\r\n' \
        "Pelmora を試してみましょう" "" \
        "1. このメモ帳の最小化ボタンを右クリックすると、タスクトレイに入ります。" \
        "   通知領域に現れたアイコンをクリックすると、元に戻ります。" \
        "2. Pelmora の「ウィンドウ一覧」でこのメモ帳を右クリックし、" \
        "   「常に最前面表示にする」や「透明度変更」を選んでみましょう。" \
        "3. Ctrl+Alt+Shift+↓ でアクティブなウィンドウがタスクトレイに入り、" \
        "   Ctrl+Alt+Shift+↑ で戻ります。" \
        "4. 「自動ウィンドウ制御に登録」で、notepad.exe のウィンドウを開いたらすぐ" \
        "   タスクトレイに入れる規則も作れます。"
} >"$app_dir/try-pelmora.txt"
echo "Starting $app_dir/pelmora.exe (settings: $app_dir/pelmora.xml) and Notepad beside it"
cd "$app_dir"
"$WINELOADER" explorer /desktop=Pelmora,1024x720 notepad.exe try-pelmora.txt >/dev/null 2>&1 &
sleep 2  # Pelmora's window then opens over Notepad's
exec "$WINELOADER" explorer /desktop=Pelmora,1024x720 pelmora.exe "$@"
