// The plumbing every window class of the program shares: registration, child
// windows at pixel positions, and one static window procedure that hands each message to the C++ object that
// created the window (passed as the creation parameter), behind the one
// boundary that keeps exceptions out of the system's frames.
#pragma once
#include <windows.h>

#include <exception>

#include "ui/ErrorBox.h"

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

// A child window at `bounds` in the parent's client area, with the identifier
// `id`; `param` is its creation parameter. Returns 0 on failure.
inline HWND CreateChildWindow(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int id,
                              const RECT& bounds, DWORD exStyle = 0, void* param = nullptr) {
    return CreateWindowExW(exStyle, className, text, WS_CHILD | style, bounds.left, bounds.top,
                           bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                           param);
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

// Runs a handler; an exception it throws is shown in the standard error box
// and the message counts as handled with `failed` as its result.
template <typename F>
LRESULT Guarded(HWND wnd, LRESULT failed, F&& handler) noexcept {
    try {
        return handler();
    } catch (const std::exception& e) {
        ShowErrorBox(wnd, e.what());
    } catch (...) {
        ShowErrorBox(wnd, "Unexpected error");
    }
    return failed;
}

// The window procedure of every class whose object is a T with
// LRESULT T::WndProc(UINT, WPARAM, LPARAM).
template <typename T>
LRESULT CALLBACK ObjectWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    return Guarded(wnd, 0, [&]() -> LRESULT {
        T* self = WindowObject<T>(wnd, msg, lParam);
        if (!self || msg == WM_NCDESTROY) return DefWindowProcW(wnd, msg, wParam, lParam);
        return self->WndProc(msg, wParam, lParam);
    });
}

}  // namespace ui
