// The tray's menus and commands: the own icon's menu with an item per window
// in the tray, the per-window menu, and the options that govern icons and
// taskbar buttons.
#include "MenuDescription.h"
#include "tray/Tray.h"
#include "windows/Transparency.h"

const ui::Command<TTray> TTray::kCommands[] = {
    {ID_NShowPelmora, &TTray::NShowPelmoraClick},
    {ID_NClose, &TTray::NCloseClick},
    {ID_NRestoreAll, &TTray::NRestoreAllClick},
    {ID_NIconHide, &TTray::NIconHideClick},
    {ID_NTaskBarHide, &TTray::NTaskBarHideClick},
    {ID_NNoTray, &TTray::NNoTrayClick},
    {ID_NTopMostTray, &TTray::NTopMostTrayClick},
    {ID_NRestore, &TTray::NRestoreClick},
    {ID_NDeleteTray, &TTray::NDeleteTrayClick},
    {ID_NWndClose, &TTray::NWndCloseClick},
};

bool TTray::OnCommand(UINT id) {
    if (id >= ID_TrayWndFirst && id <= ID_TrayWndLast) {
        TrayMenuWndClick(id);
        return true;
    }
    if (int percent = TransparencyTag(id, ID_NTransBase)) {
        N102Click(percent);
        return true;
    }
    return ui::RunCommand(*this, kCommands, id);
}

void TTray::TrayMenuWndClick(UINT item) {
    int index;
    if (TrayControl && TrayControl->FindMenuItem(item, index))
        TrayControl->RestoreItem(index, true, Options.NormalIconHide, SW_RESTORE, false);
}

void TTray::OpenWndMenu(HWND wnd) {
    MenuWnd = wnd;
    POINT cursor{};
    GetCursorPos(&cursor);
    HWND tray = TrayControl->TrayHandle();
    SetForegroundWindow(tray);
    MenuShowedTopMost = (GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    ui::SetChecked(WndMenu_.get(), ID_NTopMostTray, MenuShowedTopMost);
    // The hidden window owns the menu, so that a click elsewhere closes it.
    UINT command =
        TrackPopupMenu(WndMenu_.get(), TPM_RIGHTBUTTON | TPM_RETURNCMD, cursor.x, cursor.y, 0, tray, nullptr);
    PostMessageW(tray, WM_NULL, 0, 0);
    if (command) OnCommand(command);
}

void TTray::UpdateTrayMenu() {
    if (TrayControl) TrayControl->PruneGone();
    ui::SetEnabled(TrayMenu_.get(), ID_NRestoreAll, TrayControl && TrayControl->LastHidden() >= 0);
}

// Every hidden window comes back as its item in this menu brings it, none
// activated; the entries stay, so each can go back into the tray.
void TTray::NRestoreAllClick() {
    if (!TrayControl) return;
    for (int i = 0; i < TrayControl->Count(); ++i)
        if (TrayControl->Item(i).Hidden)
            TrayControl->RestoreItem(i, false, Options.NormalIconHide, SW_RESTORE, false);
}

void TTray::NShowPelmoraClick() {
    Host.ShowMainWindow(false);
}

void TTray::NCloseClick() {
    Host.NExitClick();
}

// Windows on screen lose their icons while the option is on; windows in the
// tray keep theirs either way.
void TTray::NIconHideClick() {
    Options.NormalIconHide = !Options.NormalIconHide;
    OptionsChanged();
    if (!TrayControl) return;
    for (int i = 0; i < TrayControl->Count(); ++i) {
        const TWndItem& entry = TrayControl->Item(i);
        if (entry.Hidden) continue;
        if (Options.NormalIconHide)
            TrayControl->DeleteItem(i, true);
        else if (IsWindow(entry.Wnd))
            TrayControl->ShowIcon(i);
    }
}

void TTray::NTaskBarHideClick() {
    Options.TaskbarHide = !Options.TaskbarHide;
    OptionsChanged();
    if (!TrayControl) return;
    for (int i = 0; i < TrayControl->Count(); ++i)
        TrayControl->SetTaskbarButton(TrayControl->Item(i).Wnd, !Options.TaskbarHide);
}

void TTray::NNoTrayClick() {
    if (TrayControl) TrayControl->DeleteWnd(MenuWnd, true);
}

void TTray::NTopMostTrayClick() {
    ToggleTopMost(MenuWnd, MenuShowedTopMost);
}

void TTray::N102Click(int percent) {
    SetTransparency(MenuWnd, percent);
}

void TTray::NRestoreClick() {
    if (TrayControl) TrayControl->RestoreWnd(MenuWnd, true, Options.NormalIconHide, SW_RESTORE, false);
}

void TTray::NDeleteTrayClick() {
    if (!TrayControl) return;
    TrayControl->RestoreWnd(MenuWnd, false, false, SW_RESTORE, true);
    TrayControl->DeleteWnd(MenuWnd, false);
}

void TTray::NWndCloseClick() {
    PostMessageW(MenuWnd, WM_CLOSE, 0, 0);
}
