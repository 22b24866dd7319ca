// Sending a registered window into the tray and bringing it back.
#include "tray/HiddenWindowMarks.h"
#include "tray/TrayControl.h"
#include "windows/WindowHelpers.h"

bool TTrayControl::HideItem(int index, bool addIcon, bool minimizeOnly) {
    if (index < 0 || index >= Count()) return false;
    TWndItem& item = Item(index);
    if (item.Hidden || !IsWindowAnswering(item.Wnd)) return false;
    item.ExStyle = GetWindowLongPtrA(item.Wnd, GWL_EXSTYLE);
    // The picture in the image list stays; the icon and tooltip follow the window.
    RefreshTitle(item);
    RefreshIcon(item);
    if (addIcon)
        ShowIcon(index);
    else if (item.IconShown)
        Notify(NIM_MODIFY, item);
    if (minimizeOnly) {
        ShowWindow(item.Wnd, SW_MINIMIZE);
        SetTaskbarButton(item.Wnd, false);
    } else {
        // Marked before it disappears, so that no moment leaves it hidden unmarked.
        MarkHidden(item.Wnd, kHiddenWithToolStyle, item.ExStyle);
        ShowWindow(item.Wnd, SW_SHOWMINNOACTIVE);
        ShowWindow(item.Wnd, SW_HIDE);
        // The tool-window style keeps it off the taskbar and out of the task switcher.
        SetWindowLongPtrA(item.Wnd, GWL_EXSTYLE, item.ExStyle | WS_EX_TOOLWINDOW);
    }
    item.Hidden = true;
    return true;
}

bool TTrayControl::HideWnd(HWND wnd, bool addIcon, bool minimizeOnly) {
    int index;
    return FindWnd(wnd, index) && HideItem(index, addIcon, minimizeOnly);
}

bool TTrayControl::RestoreItem(int index, bool activate, bool removeIcon, int showCommand, bool showButton) {
    TWndItem& item = Item(index);
    // A hidden window whose thread does not answer stays hidden and marked: it
    // can be brought back later, or by the next start.
    bool restored = item.Hidden && IsWindowAnswering(item.Wnd);
    if (restored) {
        SetWindowLongPtrA(item.Wnd, GWL_EXSTYLE, item.ExStyle);
        ShowWindow(item.Wnd, showCommand);
        if (activate) SetForegroundWindow(item.Wnd);
        item.Hidden = false;
        UnmarkHidden(item.Wnd, kHiddenWithToolStyle);
    } else if (activate) {
        SetForegroundWindow(item.Wnd);
    }
    HWND wnd = item.Wnd;
    if (removeIcon) DeleteItem(index, true);
    if (showButton) SetTaskbarButton(wnd, true);
    return restored;
}

bool TTrayControl::RestoreWnd(HWND wnd, bool activate, bool removeIcon, int showCommand, bool showButton) {
    int index;
    if (!FindWnd(wnd, index)) return false;
    RestoreItem(index, activate, removeIcon, showCommand, showButton);
    return true;
}
