#include "windows/WindowHelpers.h"

#include "ui/SystemInfo.h"

namespace {

bool UsesThreadAttachment() {
    OSVERSIONINFOA v = SystemVersion();
    if (v.dwPlatformId == VER_PLATFORM_WIN32_NT) return v.dwMajorVersion > 4;
    return v.dwMajorVersion > 4 || (v.dwMajorVersion == 4 && v.dwMinorVersion > 0);
}

bool TryAttachedActivation(HWND wnd) {
    DWORD foregroundThread = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
    DWORD targetThread = GetWindowThreadProcessId(wnd, nullptr);
    if (!AttachThreadInput(targetThread, foregroundThread, TRUE)) return false;
    BringWindowToTop(wnd);
    SetForegroundWindow(wnd);
    AttachThreadInput(targetThread, foregroundThread, FALSE);
    return GetForegroundWindow() == wnd;
}

// The lock time-out is system-wide: it is zero for exactly the two calls.
void ActivateWithoutLockTimeout(HWND wnd) {
    DWORD saved = 0;
    SystemParametersInfoA(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &saved, 0);
    SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, SPIF_SENDCHANGE);
    BringWindowToTop(wnd);
    SetForegroundWindow(wnd);
    SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0,
                          reinterpret_cast<void*>(static_cast<UINT_PTR>(saved)), SPIF_SENDCHANGE);
}

}  // namespace

bool ForceForegroundWindow(HWND wnd) {
    if (IsIconic(wnd)) ShowWindow(wnd, SW_RESTORE);
    if (GetForegroundWindow() == wnd) return true;
    if (UsesThreadAttachment()) {
        if (!TryAttachedActivation(wnd)) ActivateWithoutLockTimeout(wnd);
    } else {
        BringWindowToTop(wnd);
        SetForegroundWindow(wnd);
    }
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
