// Sending a registered window into the tray and bringing it back. Everything
// that waits for the window's thread runs on the window worker, in the order
// asked, so a busy program holds none of our windows; the registry records
// the request at once, and the window's mark records what really happened.
#include "tray/HiddenWindowMarks.h"
#include "tray/TaskbarButton.h"
#include "tray/TrayControl.h"
#include "windows/WindowHelpers.h"
#include "windows/WindowWorker.h"

namespace {

// Marked before it disappears, so that no moment leaves it hidden unmarked.
// The tool-window style keeps it off the taskbar and out of the task switcher.
// The style is read here, after every change asked before (a rule's alpha),
// and the mark keeps it for the restore.
void HideWithToolStyle(HWND wnd) {
    LONG_PTR exStyle = GetWindowLongPtrA(wnd, GWL_EXSTYLE);
    MarkHidden(wnd, kHiddenWithToolStyle, exStyle);
    ShowWindow(wnd, SW_SHOWMINNOACTIVE);
    ShowWindow(wnd, SW_HIDE);
    SetWindowLongPtrA(wnd, GWL_EXSTYLE, exStyle | WS_EX_TOOLWINDOW);
}

// The mark goes only once the window is back.
void ShowWithStyle(HWND wnd, int showCommand, bool activate) {
    std::optional<HiddenMark> mark = ReadHiddenMark(wnd);
    if (mark && (mark->how & kHiddenWithToolStyle)) SetWindowLongPtrA(wnd, GWL_EXSTYLE, mark->exStyle);
    ShowWindow(wnd, showCommand);
    if (activate) SetForegroundWindow(wnd);
    UnmarkHidden(wnd, kHiddenWithToolStyle);
}

}  // namespace

bool TTrayControl::HideItem(int index, bool addIcon, bool minimizeOnly) {
    if (index < 0 || index >= Count()) return false;
    TWndItem& item = Item(index);
    if (item.Hidden || !IsWindow(item.Wnd)) return false;
    item.ExStyle = GetWindowLongPtrA(item.Wnd, GWL_EXSTYLE);
    // The picture in the image list stays; the icon and tooltip follow the window.
    RefreshTitle(item);
    RefreshIcon(item);
    if (addIcon)
        ShowIcon(index);
    else if (item.IconShown)
        Notify(NIM_MODIFY, item);
    HWND wnd = item.Wnd;
    if (minimizeOnly) {
        window_worker::Post(wnd, [wnd] { ShowWindow(wnd, SW_MINIMIZE); });
        SetTaskbarButton(wnd, false);
    } else {
        window_worker::Post(wnd, [wnd] { HideWithToolStyle(wnd); });
    }
    item.Hidden = true;
    item.HideOrder = ++HideCount_;
    return true;
}

int TTrayControl::LastHidden() const {
    int last = -1;
    for (int i = 0; i < Count(); ++i) {
        const TWndItem& item = *Items[i];
        if (item.Hidden && (last < 0 || item.HideOrder > Items[last]->HideOrder)) last = i;
    }
    return last;
}

bool TTrayControl::HideWnd(HWND wnd, bool addIcon, bool minimizeOnly) {
    int index;
    return FindWnd(wnd, index) && HideItem(index, addIcon, minimizeOnly);
}

bool TTrayControl::RestoreItem(int index, bool activate, bool removeIcon, int showCommand, bool showButton) {
    TWndItem& item = Item(index);
    HWND wnd = item.Wnd;
    bool restored = item.Hidden && IsWindow(wnd);
    if (restored) {
        window_worker::Post(wnd, [=] { ShowWithStyle(wnd, showCommand, activate); });
        item.Hidden = false;
    } else if (activate) {
        window_worker::Post(wnd, [wnd] { SetForegroundWindow(wnd); });
    }
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

// Only a button this program took away comes back: a tool window, or one
// that never had a button, would get one. The mark changes with the button,
// on the worker, after any hide or restore asked before.
void TTrayControl::SetTaskbarButton(HWND wnd, bool visible) {
    window_worker::Post(wnd, [wnd, visible] {
        if (visible) {
            std::optional<HiddenMark> mark = ReadHiddenMark(wnd);
            if (!mark || !(mark->how & kButtonHidden)) return;
            ::SetTaskbarButton(wnd, true);
            UnmarkHidden(wnd, kButtonHidden);
        } else {
            MarkHidden(wnd, kButtonHidden);
            ::SetTaskbarButton(wnd, false);
        }
    });
}
