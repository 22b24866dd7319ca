#include "ui/Dpi.h"

namespace ui {

namespace {

using GetDpiForWindowFunc = UINT(WINAPI*)(HWND);
using GetDpiForSystemFunc = UINT(WINAPI*)();
using GetSystemMetricsForDpiFunc = int(WINAPI*)(int, UINT);
using SetDialogDpiChangeBehaviorFunc = BOOL(WINAPI*)(HWND, DIALOG_DPI_CHANGE_BEHAVIORS,
                                                     DIALOG_DPI_CHANGE_BEHAVIORS);

// Looked up: these functions exist from Windows 10 1607 on (the dialog one
// from 1703).
template <typename F>
F User32Function(const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace

UINT SystemDpi() {
    static const auto getDpiForSystem = User32Function<GetDpiForSystemFunc>("GetDpiForSystem");
    if (getDpiForSystem) return getDpiForSystem();
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kDesignDpi;
}

UINT WindowDpi(HWND wnd) {
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFunc>("GetDpiForWindow");
    const UINT dpi = getDpiForWindow && wnd ? getDpiForWindow(wnd) : 0;
    return dpi ? dpi : SystemDpi();
}

int SystemMetric(int index, UINT dpi) {
    static const auto getSystemMetricsForDpi =
        User32Function<GetSystemMetricsForDpiFunc>("GetSystemMetricsForDpi");
    if (getSystemMetricsForDpi) return getSystemMetricsForDpi(index, dpi);
    return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(SystemDpi()));
}

void TakeOverDialogDpiChanges(HWND dialog) {
    static const auto setDialogDpiChangeBehavior =
        User32Function<SetDialogDpiChangeBehaviorFunc>("SetDialogDpiChangeBehavior");
    if (setDialogDpiChangeBehavior) setDialogDpiChangeBehavior(dialog, DDC_DISABLE_ALL, DDC_DISABLE_ALL);
}

UINT ControlDpiMessage() {
    static const UINT message = RegisterWindowMessageW(L"Pelmora.ControlDpi");
    return message;
}

int Scale(int designed, UINT dpi) {
    return MulDiv(designed, static_cast<int>(dpi), static_cast<int>(kDesignDpi));
}

int Unscale(int pixels, UINT dpi) {
    return dpi ? MulDiv(pixels, static_cast<int>(kDesignDpi), static_cast<int>(dpi)) : pixels;
}

RECT Scale(const RECT& designed, UINT dpi) {
    return {Scale(designed.left, dpi), Scale(designed.top, dpi), Scale(designed.right, dpi),
            Scale(designed.bottom, dpi)};
}

}  // namespace ui
