// The main window's side of the tray: putting windows there with their item in
// the own icon's menu, clicks on their icons, and the per-window menu.
#include <windows.h>

#include "app/MainWindow.h"
#include "app/MenuIds.h"
#include "windows/Transparency.h"
#include "windows/WindowHelpers.h"

void TPelmoraMainWindow::CreateTrayControl() {
    TrayControl = std::make_unique<TTrayControl>(Handle_, WndImageList.get(), Menus_.TrayMenu.get());
}

bool TPelmoraMainWindow::OnTrayCommand(UINT id) {
    if (id >= ID_TrayWndFirst && id <= ID_TrayWndLast) {
        TrayMenuWndClick(id);
        return true;
    }
    if (int percent = TransparencyTag(id, ID_NTransBase)) {
        N102Click(percent);
        return true;
    }
    switch (id) {
        case ID_NNoTray:
            NNoTrayClick();
            return true;
        case ID_NTopMostTray:
            NTopMostTrayClick();
            return true;
        case ID_NRestore:
            NRestoreClick();
            return true;
        case ID_NDeleteTray:
            NDeleteTrayClick();
            return true;
        case ID_NWndClose:
            NWndCloseClick();
            return true;
        default:
            return false;
    }
}

bool TPelmoraMainWindow::OnTrayMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT&) {
    if (msg != WM_TRAYNOTIFY) return false;
    if (TrayControl) OnTrayIconNotify(static_cast<UINT>(wParam), static_cast<UINT>(lParam));
    return true;
}

bool TPelmoraMainWindow::IconHideChecked() const {
    return IsChecked(Menus_.MainMenu.get(), ID_NIconHide);
}

bool TPelmoraMainWindow::TaskBarHideChecked() const {
    return IsChecked(Menus_.MainMenu.get(), ID_NTaskBarHide);
}

void TPelmoraMainWindow::AddToTray(HWND wnd, bool noIcon) {
    UINT item = FindTrayMenuItem(wnd);
    bool created = item == 0;
    if (created) item = InsertTrayMenuItem(wnd);
    // An item the registry did not take would stay in the menu without caption.
    int index = TrayControl->AddWnd(wnd, created ? item : 0, noIcon, TaskBarHideChecked());
    if (created && (index < 0 || TrayControl->Item(index).MenuItem != item))
        DeleteMenu(Menus_.TrayMenu.get(), item, MF_BYCOMMAND);
}

// The item of the own icon's menu whose tag is the window, 0 if none.
UINT TPelmoraMainWindow::FindTrayMenuItem(HWND wnd) const {
    HMENU menu = Menus_.TrayMenu.get();
    for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i) {
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_ID | MIIM_DATA;
        if (GetMenuItemInfoW(menu, i, TRUE, &mii) && mii.wID >= ID_TrayWndFirst &&
            mii.wID <= ID_TrayWndLast && reinterpret_cast<HWND>(mii.dwItemData) == wnd)
            return mii.wID;
    }
    return 0;
}

// A new item at the top (newest window first), tagged with the window.
UINT TPelmoraMainWindow::InsertTrayMenuItem(HWND wnd) {
    HMENU menu = Menus_.TrayMenu.get();
    UINT id = ID_TrayWndFirst;
    while (id < ID_TrayWndLast && GetMenuState(menu, id, MF_BYCOMMAND) != static_cast<UINT>(-1)) ++id;
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_ID | MIIM_DATA | MIIM_STRING;
    mii.wID = id;
    mii.dwItemData = reinterpret_cast<ULONG_PTR>(wnd);
    mii.dwTypeData = const_cast<wchar_t*>(L"");
    InsertMenuItemW(menu, 0, TRUE, &mii);
    return id;
}

void TPelmoraMainWindow::TrayMenuWndClick(UINT item) {
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_DATA;
    if (!GetMenuItemInfoW(Menus_.TrayMenu.get(), item, FALSE, &mii) || !TrayControl) return;
    TrayControl->RestoreWnd(reinterpret_cast<HWND>(mii.dwItemData), true, IconHideChecked(), SW_RESTORE,
                            false);
}

void TPelmoraMainWindow::OnTrayIconNotify(UINT id, UINT mouseMessage) {
    TWndItem* entry = nullptr;
    if (!TrayControl->FindItemByID(id, entry)) return;
    HWND wnd = entry->Wnd;
    if (mouseMessage != WM_LBUTTONDOWN && mouseMessage != WM_RBUTTONUP) return;
    if (!IsWindow(wnd)) {
        TrayControl->DeleteWnd(wnd, false);
        return;
    }
    if (mouseMessage == WM_LBUTTONDOWN)
        ToggleTrayWindow(*entry);
    else
        OpenWndMenu(wnd);
}

// A press on a window's icon sends it away or brings it back.
void TPelmoraMainWindow::ToggleTrayWindow(const TWndItem& entry) {
    HWND wnd = entry.Wnd;
    bool hide = TaskBarHideChecked() ? wnd == LastActiveWnd : !entry.Hidden;
    if (hide) {
        if (TaskBarHideChecked()) LastActiveWnd = TaskbarWnd;
        TrayControl->HideWnd(wnd, false, TaskBarHideChecked());
    } else {
        TrayControl->RestoreWnd(wnd, true, IconHideChecked(), SW_RESTORE, false);
    }
}

void TPelmoraMainWindow::OpenWndMenu(HWND wnd) {
    MenuWnd = wnd;
    POINT cursor{};
    GetCursorPos(&cursor);
    HWND tray = TrayControl->TrayHandle();
    SetForegroundWindow(tray);
    SetChecked(Menus_.WndMenu.get(), ID_NTopMostTray,
               (GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
    // The hidden window owns the menu, so that a click elsewhere closes it.
    UINT command = TrackPopupMenu(Menus_.WndMenu.get(), TPM_RIGHTBUTTON | TPM_RETURNCMD, cursor.x, cursor.y,
                                  0, tray, nullptr);
    PostMessageW(tray, WM_NULL, 0, 0);
    if (command) OnCommand(command);
}

void TPelmoraMainWindow::NNoTrayClick() {
    if (TrayControl) TrayControl->DeleteWnd(MenuWnd, true);
}

void TPelmoraMainWindow::NRestoreClick() {
    if (TrayControl) TrayControl->RestoreWnd(MenuWnd, true, IconHideChecked(), SW_RESTORE, false);
}

void TPelmoraMainWindow::NDeleteTrayClick() {
    if (!TrayControl) return;
    TrayControl->RestoreWnd(MenuWnd, false, false, SW_RESTORE, true);
    TrayControl->DeleteWnd(MenuWnd, false);
}

void TPelmoraMainWindow::NWndCloseClick() {
    PostMessageW(MenuWnd, WM_CLOSE, 0, 0);
}
