#include "AboutSession.h"

#include <string>

#include "app/AboutDialog.h"
#include "ui/Text.h"

namespace about_test {
namespace {

const std::function<void(HWND)>* g_inspect = nullptr;

HWND FindAbout() {
    static const std::wstring caption = ui::Utf8("Pelmoraについて");
    HWND dialog = FindWindowW(L"#32770", caption.c_str());
    return dialog && IsWindowVisible(dialog) ? dialog : nullptr;
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = g_inspect ? FindAbout() : nullptr;
    if (!dialog) return;  // not up yet: try again on the next tick
    KillTimer(nullptr, id);
    (*g_inspect)(dialog);
    if (IsWindowVisible(dialog)) PostMessageW(dialog, WM_CLOSE, 0, 0);
}

}  // namespace

INT_PTR ShowAboutAndInspect(HWND owner, const std::function<void(HWND)>& inspect) {
    g_inspect = &inspect;
    UINT_PTR timer = SetTimer(nullptr, 0, 20, OnTimer);
    INT_PTR result = TForm2::ShowAbout(owner);
    KillTimer(nullptr, timer);
    g_inspect = nullptr;
    return result;
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

}  // namespace about_test
