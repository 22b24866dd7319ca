# Sourced by the scripts: one 64-bit Wine prefix for the project, created quietly on first use.
# Wine always runs through its 64-bit loader and server: some machines run no 32-bit code,
# and Debian's wine/wineserver scripts pick the 32-bit ones whenever wine32 is installed.
export WINEPREFIX="${PELMORA_WINEPREFIX:-$HOME/.wine-pelmora64}"
export WINEARCH=win64
export WINELOADER=/usr/lib/wine/wine64
export WINESERVER=/usr/lib/wine/wineserver64
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installer prompts while the prefix is created.
export WINEDLLOVERRIDES="mscoree,mshtml="

pelmora_wine() { "$WINELOADER" "$@"; }
pelmora_wineserver() { "$WINESERVER" "$@"; }

# Says in one line why Wine cannot run and fails, before any long stage starts.
pelmora_wine_check() {
    if [ ! -x "$WINELOADER" ] || [ ! -x "$WINESERVER" ]; then
        echo "Wine's 64-bit loader $WINELOADER or server $WINESERVER is missing: install the package wine64" >&2
        return 1
    fi
    local out
    if ! out=$("$WINELOADER" --version 2>&1); then
        echo "Wine cannot start ($WINELOADER --version: ${out:-no output}); check that wine64 is installed and runs on this machine" >&2
        return 1
    fi
}

pelmora_wine_prefix() {
    # A run that checked the prefix already (scripts/test.sh) spares every
    # test the check and its extra Wine process.
    [ "${PELMORA_WINE_READY:-}" = "$WINEPREFIX" ] && return 0
    pelmora_wine_check || return 1
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Creating the Wine prefix $WINEPREFIX (about 20 s, once)"
        pelmora_wine wineboot -i >/dev/null 2>&1 || true
        pelmora_wineserver -w || true
    fi
    if [ ! -f "$WINEPREFIX/.pelmora-setup-3" ]; then
        # Windows not handed to an X window manager: with none running (Xvfb),
        # Wine would otherwise wait for one each time a window is hidden.
        # Wine draws the captions itself, so title-bar buttons exist on screen.
        pelmora_wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        pelmora_wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
        # Text files open in Notepad, as on every Windows (the help command).
        pelmora_wine reg add 'HKLM\Software\Classes\.txt' /ve /d txtfile /f >/dev/null 2>&1
        pelmora_wineserver -w || true
        touch "$WINEPREFIX/.pelmora-setup-3"
    fi
    if ! pelmora_wine cmd /c exit 0 >/dev/null 2>&1; then
        echo "Wine cannot run a program in $WINEPREFIX; delete that folder to have it made again" >&2
        return 1
    fi
}
