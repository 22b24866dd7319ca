// The plumbing every window class of the program shares: registration, and a
// static window procedure that hands each message to the C++ object that
// created the window (passed as the creation parameter).
#pragma once
#include <windows.h>

namespace ui {

inline ATOM RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC proc, HICON icon = nullptr,
                                HICON smallIcon = nullptr, HBRUSH background = nullptr) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.hIconSm = smallIcon;
    wc.lpszClassName = name;
    return RegisterClassExW(&wc);
}

// The object behind a window: bound on WM_NCCREATE, forgotten after
// WM_NCDESTROY; T::BindWindow(HWND) keeps or clears its handle.
template <typename T>
T* WindowObject(HWND wnd, UINT msg, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->BindWindow(wnd);
        return self;
    }
    auto* self = reinterpret_cast<T*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
    if (self && msg == WM_NCDESTROY) {
        SetWindowLongPtrW(wnd, GWLP_USERDATA, 0);
        self->BindWindow(nullptr);
    }
    return self;
}

}  // namespace ui
