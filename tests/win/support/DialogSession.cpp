#include "support/DialogSession.h"

namespace win_test {
namespace {

struct Session {
    HWND owner;
    const std::function<void(HWND)>* inspect;
};
Session* g_session = nullptr;

struct Search {
    HWND owner;
    HWND found;
};

BOOL CALLBACK FindOwnedDialog(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<Search*>(lp);
    wchar_t cls[16]{};
    GetClassNameW(hwnd, cls, 16);
    if (std::wstring(cls) == L"#32770" && IsWindowVisible(hwnd) &&
        GetWindow(hwnd, GW_OWNER) == search->owner) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
    if (!g_session) return;
    Search search{g_session->owner, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindOwnedDialog, reinterpret_cast<LPARAM>(&search));
    if (!search.found) return;  // not up yet: try again on the next tick
    KillTimer(nullptr, id);
    Session* session = g_session;
    g_session = nullptr;  // a dialog opened by inspect gets its own session
    (*session->inspect)(search.found);
    if (IsWindow(search.found) && IsWindowVisible(search.found)) PostMessageW(search.found, WM_CLOSE, 0, 0);
}

}  // namespace

void ShowAndInspect(HWND owner, const std::function<void()>& show, const std::function<void(HWND)>& inspect) {
    Session session{owner, &inspect};
    Session* outer = g_session;
    g_session = &session;
    UINT_PTR timer = SetTimer(nullptr, 0, 20, OnTimer);
    show();
    KillTimer(nullptr, timer);
    g_session = outer;
}

void Pump(HWND dialog) {
    MSG msg;
    while ((!dialog || (IsWindow(dialog) && IsWindowVisible(dialog))) &&
           PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!dialog || !IsDialogMessageW(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

void PumpFor(HWND dialog, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        Pump(dialog);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

HWND CreateOwner(const RECT& bounds) {
    return CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, bounds.left, bounds.top,
                           bounds.right - bounds.left, bounds.bottom - bounds.top, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

RECT ChildRect(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::wstring TextOf(HWND hwnd) {
    wchar_t buffer[512]{};
    GetWindowTextW(hwnd, buffer, 512);
    return buffer;
}

}  // namespace win_test
