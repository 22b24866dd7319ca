#include "app/SingleInstance.h"

bool IsAlreadyRunning(const char* name) {
    // Never closed: the system releases the mutex when the process ends.
    HANDLE mutex = CreateMutexA(nullptr, TRUE, name);
    // An instance run as administrator made a mutex that a normal start may
    // not open: it exists all the same.
    if (!mutex) return GetLastError() == ERROR_ACCESS_DENIED;
    return GetLastError() == ERROR_ALREADY_EXISTS;
}

static BOOL CALLBACK SignalWindow(HWND wnd, LPARAM name) {
    if (reinterpret_cast<UINT_PTR>(GetPropA(wnd, reinterpret_cast<const char*>(name))) != InstanceMark)
        return TRUE;
    // This start was the user's last action, so it may hand the right to come
    // to the foreground on to the running instance.
    DWORD processId = 0;
    GetWindowThreadProcessId(wnd, &processId);
    AllowSetForegroundWindow(processId);
    PostMessageA(wnd, WM_SHOWINSTANCE, 0, 0);
    return TRUE;  // every marked window gets the message, not only the first
}

void SignalRunningInstance(const char* name) {
    EnumWindows(SignalWindow, reinterpret_cast<LPARAM>(name));
}
