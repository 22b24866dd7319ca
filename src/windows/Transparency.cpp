#include "windows/Transparency.h"

#include <algorithm>

BYTE TransparencyAlpha(int percent) {
    return static_cast<BYTE>(std::clamp(percent, 10, 100) * 255 / 100);
}

void ApplyAlpha(HWND wnd, BYTE alpha) {
    SetWindowLongA(wnd, GWL_EXSTYLE, GetWindowLongA(wnd, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(wnd, 0, alpha, LWA_ALPHA);
    if (alpha == 255) SetWindowLongA(wnd, GWL_EXSTYLE, GetWindowLongA(wnd, GWL_EXSTYLE) & ~WS_EX_LAYERED);
}

void ToggleTopMost(HWND wnd, bool isTopMost) {
    SetWindowPos(wnd, isTopMost ? HWND_NOTOPMOST : HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}
