#include "windows/WindowHelpers.h"

#include "ui/SystemInfo.h"

// The program has the right to activate a window whenever the user's last
// input went to it (a click in its list or on its icon) or a second start
// handed it that right (AllowSetForegroundWindow): joining another program's
// input or lifting the system-wide lock time-out is never needed, and either
// could wait for a busy program.
bool ForceForegroundWindow(HWND wnd) {
    if (IsIconic(wnd)) ShowWindow(wnd, SW_RESTORE);
    if (GetForegroundWindow() == wnd) return true;
    BringWindowToTop(wnd);
    SetForegroundWindow(wnd);
    return GetForegroundWindow() == wnd;
}

bool GetWindowBounds(HWND wnd, RECT& bounds) {
    return GetWindowRect(wnd, &bounds) != FALSE;
}

bool IsWindowAnswering(HWND wnd) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(wnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &ignored) != 0;
}

HWND GetRootOwner(HWND wnd) {
    while (HWND parent = GetParent(wnd)) wnd = parent;
    while (HWND owner = GetWindow(wnd, GW_OWNER)) wnd = owner;
    return wnd;
}
