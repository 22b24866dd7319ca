// The program's own notification-area icon, the ways of bringing the main
// window back, and the options of the "表示(&V)" menu that govern icons.
#include "app/Application.h"
#include "app/MainWindow.h"
#include "app/MenuIds.h"
#include "app/SingleInstance.h"
#include "windows/WindowHelpers.h"

bool TPelmoraMainWindow::OnOwnIconCommand(UINT id) {
    switch (id) {
        case ID_NIconHide:
            NIconHideClick();
            return true;
        case ID_NTaskBarHide:
            NTaskBarHideClick();
            return true;
        case ID_NShowPelmora:
            ShowMainWindow(false);
            return true;
        case ID_NClose:
            NCloseClick();
            return true;
        default:
            return false;
    }
}

void TPelmoraMainWindow::CreateTrayIcon() {
    ui::NotifyIcon::Events events;
    events.onClick = [this](ui::NotifyIcon::Button b) { TrayIconClick(b); };
    events.popupMenu = [this] { return Menus_.TrayMenu.get(); };
    events.onCommand = [this](UINT id) { OnCommand(id); };
    TrayIcon =
        std::make_unique<ui::NotifyIcon>(Instance_, AppIcon_.get(), identity::kAppTitle, std::move(events));
    TrayIcon->Add();
}

void TPelmoraMainWindow::TrayIconClick(ui::NotifyIcon::Button button) {
    if (button == ui::NotifyIcon::Button::Right) return;  // the menu opens by itself
    if (IsMainWindowOnScreen())
        HideApplication();
    else
        ShowMainWindow(false);
}

bool TPelmoraMainWindow::IsMainWindowOnScreen() const {
    return IsWindowVisible(Handle_) && !IsIconic(Handle_);
}

// Minimised and without its taskbar button: only the own icon remains.
void TPelmoraMainWindow::HideApplication() {
    if (IsMainWindowOnScreen()) ShowWindow(Handle_, SW_MINIMIZE);
    ShowWindow(Handle_, SW_HIDE);
}

void TPelmoraMainWindow::ShowApplication() {
    if (ShowMaximized_) {
        ShowMaximized_ = false;
        ShowWindow(Handle_, SW_SHOWMAXIMIZED);
    } else if (IsIconic(Handle_)) {
        ShowWindow(Handle_, SW_RESTORE);
    } else {
        ShowWindow(Handle_, SW_SHOW);
    }
}

void TPelmoraMainWindow::ShowMainWindow(bool forced) {
    ShowApplication();
    BringWindowToTop(Handle_);
    if (forced)
        ForceForegroundWindow(Handle_);
    else
        SetForegroundWindow(Handle_);
}

void TPelmoraMainWindow::ApplicationEventsMessage(const MSG& msg) {
    // A second start asks the running instance to come forward.
    if (msg.message == WM_SHOWINSTANCE) ShowMainWindow(true);
}

void TPelmoraMainWindow::NCloseClick() {
    NExitClick();
}

void TPelmoraMainWindow::NTraySelfClick() {
    if (Menus_.NTraySelfChecked)
        TrayIcon->Remove();
    else
        TrayIcon->Add();
    Menus_.NTraySelfChecked = !Menus_.NTraySelfChecked;
}

// Windows on screen lose their icons while the option is on; windows in the
// tray keep theirs either way.
void TPelmoraMainWindow::NIconHideClick() {
    bool hide = !IconHideChecked();
    SetChecked(Menus_.MainMenu.get(), ID_NIconHide, hide);
    if (!TrayControl) return;
    for (int i = 0; i < TrayControl->Count(); ++i) {
        const TWndItem& entry = TrayControl->Item(i);
        if (entry.Hidden) continue;
        if (hide)
            TrayControl->DeleteItem(i, true);
        else if (IsWindow(entry.Wnd))
            TrayControl->ShowIcon(i);
    }
}

void TPelmoraMainWindow::NTaskBarHideClick() {
    bool hideButtons = !TaskBarHideChecked();
    SetChecked(Menus_.MainMenu.get(), ID_NTaskBarHide, hideButtons);
    if (!TrayControl) return;
    for (int i = 0; i < TrayControl->Count(); ++i)
        TrayControl->SetTaskbarButton(TrayControl->Item(i).Wnd, !hideButtons);
}
