// The hook events subsystem: loads and starts the hook library, and turns its
// notifications into work for the tray and the window list.
#pragma once
#include <windows.h>

#include "hook/HookLibrary.h"

class TCurrWinList;
class TTray;

class THookEvents {
public:
    THookEvents(TTray& tray, TCurrWinList& currWin);
    THookEvents(const THookEvents&) = delete;
    THookEvents& operator=(const THookEvents&) = delete;

    // Loads the library beside the executable and starts it for `target`;
    // false (after telling the user) when the program cannot run.
    bool StartHookLibrary(HWND target);
    // The registered notification message; false for any other message.
    bool OnHookMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // Shutdown: no notification comes after Stop; Unload follows once the
    // windows are given back.
    void Stop() { HookLib.Stop(); }
    void Unload() { HookLib.Unload(); }

private:
    void HookWindowGoneReceived(HWND wnd);
    void HookWindowCreatedReceived(HWND wnd);

    TTray& Tray;
    TCurrWinList& CurrWin;
    UINT HookMessage = 0;
    hook::THookLibrary HookLib;
};
