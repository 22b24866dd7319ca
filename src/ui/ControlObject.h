// Controls that own their state and paint themselves: the window adopts the
// object handed over as its creation parameter and frees it when it is
// destroyed, so a dialog can create such a control and forget it. T provides
//     void BindWindow(HWND)  told its window on WM_NCCREATE, before Handle
//     LRESULT Handle(HWND, UINT, WPARAM, LPARAM)  every message but painting
//     void Paint(HDC) const  fills the whole client area, for WM_PAINT and
//                            WM_PRINTCLIENT
// and, when it sizes parts of itself by the DPI,
//     void SetDpi(UINT)      the DPI it is laid out at from now on
//                            (ControlDpiMessage)
#pragma once
#include <windows.h>

#include <cwchar>
#include <iterator>
#include <memory>

#include "ui/Dpi.h"
#include "ui/Handles.h"
#include "ui/WindowClass.h"

namespace ui {

// Painting is the same for every such control; Paint covers the background,
// so erasing it first would only make it flicker.
template <typename T>
LRESULT ControlMessage(T& object, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if constexpr (requires { object.SetDpi(UINT{}); }) {
        if (msg == ControlDpiMessage() && wp) {
            object.SetDpi(static_cast<UINT>(wp));
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        }
    }
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            object.Paint(PaintDC(hwnd).get());
            return 0;
        case WM_PRINTCLIENT:
            object.Paint(reinterpret_cast<HDC>(wp));
            return 0;
        default:
            return object.Handle(hwnd, msg, wp, lp);
    }
}

// A control that draws its focus cue and its disabled look draws itself again
// after these.
inline bool ChangesFocusOrEnabledLook(UINT msg) {
    return msg == WM_SETFOCUS || msg == WM_KILLFOCUS || msg == WM_ENABLE || msg == WM_UPDATEUISTATE;
}

template <typename T>
LRESULT CALLBACK ControlObjectProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    if (msg == WM_NCCREATE) {
        auto* pending =
            static_cast<std::unique_ptr<T>*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        (*pending)->BindWindow(hwnd);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pending->release()));
    }
    auto* object = reinterpret_cast<T*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        std::unique_ptr<T> freed(object);
    } else if (object) {
        return Guarded(hwnd, 0, [&] { return ControlMessage(*object, hwnd, msg, wp, lp); });
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

// Registers the class once per process; false when that failed.
template <typename T>
bool RegisterControlClass(const wchar_t* className) {
    static const bool registered =
        RegisterWindowClass(GetModuleHandleW(nullptr), className, ControlObjectProc<T>) != 0 ||
        GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return registered;
}

// Creates a child control of the class that adopts `object`, at bounds
// designed at 96 DPI and scaled to the parent's. Returns 0 on failure.
template <typename T>
HWND CreateControlObject(const wchar_t* className, std::unique_ptr<T> object, HWND parent, int id,
                         const RECT& bounds, DWORD style, DWORD exStyle = 0, const wchar_t* text = L"") {
    if (!RegisterControlClass<T>(className)) return nullptr;
    return CreateChildWindow(parent, className, text, style, id, Scale(bounds, WindowDpi(parent)), exStyle,
                             &object);
}

// The object of a window of that class; 0 for any other window, whose user
// data is its own business.
template <typename T, size_t N>
T* ControlObjectOf(HWND hwnd, const wchar_t (&className)[N]) {
    wchar_t name[N + 1]{};
    if (!GetClassNameW(hwnd, name, static_cast<int>(std::size(name))) || std::wcscmp(name, className) != 0)
        return nullptr;
    return reinterpret_cast<T*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

}  // namespace ui
