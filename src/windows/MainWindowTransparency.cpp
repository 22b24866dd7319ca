// Transparency and always-on-top, for a window and the titled windows it owns.
#include <windows.h>

#include "app/MainWindow.h"
#include "ui/Text.h"
#include "app/MenuIds.h"
#include "windows/Transparency.h"
#include "windows/WinInfo.h"
#include "windows/WindowEnumeration.h"
#include "windows/WindowHelpers.h"

namespace {

bool HasSize(HWND wnd) {
    RECT r{};
    return GetWindowBounds(wnd, r) && r.right != r.left && r.bottom != r.top;
}

bool NeedsAlpha(HWND wnd, BYTE alpha) {
    return (GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0 || alpha != 255;
}

}  // namespace

void TPelmoraMainWindow::SetTransparency(HWND wnd, int percent) {
    BYTE alpha = TransparencyAlpha(percent);
    if (NeedsAlpha(wnd, alpha)) {
        // A window held in the tray comes back first: a see-through hidden window helps nobody.
        if (TrayControl) TrayControl->RestoreWnd(wnd, false, IconHideChecked(), SW_RESTORE, false);
        if (HasSize(wnd)) ApplyAlpha(wnd, alpha);
    }
    TWinInfoList owned;
    EnumerateWindows(owned, 0, true);
    for (auto& info : owned) {
        if (!info->GetVisible() || info->GetTitle().empty() || info->GetOwnerWnd() == nullptr) continue;
        if (ui::LowerAnsi(info->GetTitle()) == "program manager") continue;
        HWND child = info->Wnd();
        if (info->ReadOwnerWnd() != wnd || !HasSize(child) || !NeedsAlpha(child, alpha)) continue;
        ApplyAlpha(child, alpha);
    }
}

void TPelmoraMainWindow::N101Click(int percent) {
    if (HWND wnd = SelectedCurrWin()) SetTransparency(wnd, percent);
}

void TPelmoraMainWindow::N102Click(int percent) {
    SetTransparency(MenuWnd, percent);
}

void TPelmoraMainWindow::NTopMostClick() {
    HWND wnd = SelectedCurrWin();
    if (wnd) ToggleTopMost(wnd, IsChecked(Menus_.CurrWinMenu.get(), ID_NTopMost));
}

void TPelmoraMainWindow::NTopMostTrayClick() {
    ToggleTopMost(MenuWnd, IsChecked(Menus_.WndMenu.get(), ID_NTopMostTray));
}
