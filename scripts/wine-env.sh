# Sourced by the scripts: one Wine prefix for the project, created quietly on first use.
export WINEPREFIX="${PELMORA_WINEPREFIX:-$HOME/.wine-pelmora}"
export WINEARCH=win32
export WINEDEBUG=-all
# No Mono or Gecko installer prompts while the prefix is created.
export WINEDLLOVERRIDES="mscoree,mshtml="

pelmora_wine_prefix() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Creating the Wine prefix $WINEPREFIX (about 20 s, once)"
        wineboot -i >/dev/null 2>&1 || true
        wineserver -w || true
    fi
    if [ ! -f "$WINEPREFIX/.pelmora-setup-2" ]; then
        # Windows not handed to an X window manager: with none running (Xvfb),
        # Wine would otherwise wait for one each time a window is hidden.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        # Text files open in Notepad, as on every Windows (the help command).
        wine reg add 'HKLM\Software\Classes\.txt' /ve /d txtfile /f >/dev/null 2>&1
        wineserver -w || true
        touch "$WINEPREFIX/.pelmora-setup-2"
    fi
}
