#include "windows/Transparency.h"

#include <algorithm>

#include "ui/Text.h"
#include "windows/WinInfo.h"
#include "windows/WindowEligibility.h"
#include "windows/WindowEnumeration.h"
#include "windows/WindowHelpers.h"

namespace {

bool HasSize(HWND wnd) {
    RECT r{};
    return GetWindowBounds(wnd, r) && r.right != r.left && r.bottom != r.top;
}

}  // namespace

BYTE TransparencyAlpha(int percent) {
    return static_cast<BYTE>(std::clamp(percent, 10, 100) * 255 / 100);
}

void ApplyAlpha(HWND wnd, BYTE alpha) {
    SetWindowLongA(wnd, GWL_EXSTYLE, GetWindowLongA(wnd, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(wnd, 0, alpha, LWA_ALPHA);
    if (alpha == 255) SetWindowLongA(wnd, GWL_EXSTYLE, GetWindowLongA(wnd, GWL_EXSTYLE) & ~WS_EX_LAYERED);
}

void ToggleTopMost(HWND wnd, bool isTopMost) {
    // Asynchronous: another program's busy thread never holds ours.
    SetWindowPos(wnd, isTopMost ? HWND_NOTOPMOST : HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_ASYNCWINDOWPOS);
}

bool TransparencyChanges(HWND wnd, BYTE alpha) {
    return (GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0 || alpha != 255;
}

void ApplyTransparency(HWND wnd, BYTE alpha) {
    if (TransparencyChanges(wnd, alpha) && HasSize(wnd)) ApplyAlpha(wnd, alpha);
    TWinInfoList owned;
    EnumerateWindows(owned, 0, true);
    for (auto& info : owned) {
        if (!info->GetVisible() || info->GetTitle().empty() || info->GetOwnerWnd() == nullptr) continue;
        if (IsWindowCloaked(info->Wnd())) continue;
        if (ui::LowerAnsi(info->GetTitle()) == "program manager") continue;
        HWND child = info->Wnd();
        if (info->ReadOwnerWnd() != wnd || !HasSize(child) || !TransparencyChanges(child, alpha)) continue;
        ApplyAlpha(child, alpha);
    }
}
