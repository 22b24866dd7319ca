// How events reach the subsystems: one table of handlers per kind of event.
// Adding a subsystem means adding its handler to the tables it takes part in.
#include <windows.h>
#include <commctrl.h>

#include "app/MainWindow.h"

using T = TPelmoraMainWindow;

// Registered messages cannot be case labels: the subsystems look at every
// message before the window's own handler does.
const T::MessageHandler T::kMessageHandlers[] = {
    &T::OnHookMessage,
    &T::OnTrayMessage,
    &T::OnAppMessage,
};

const T::CommandHandler T::kCommandHandlers[] = {
    &T::OnAppCommand, &T::OnOwnIconCommand, &T::OnCurrWinCommand, &T::OnTrayCommand, &T::OnRulesCommand,
};

// Notifications are routed by the control that sent them.
const T::NotifyHandler T::kNotifyHandlers[] = {
    &T::OnAppNotify,
    &T::OnCurrWinNotify,
    &T::OnRulesNotify,
};

const T::ContextMenuHandler T::kContextMenuHandlers[] = {
    &T::OnCurrWinContextMenu,
    &T::OnRulesContextMenu,
};

bool T::DispatchMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    for (MessageHandler handler : kMessageHandlers)
        if ((this->*handler)(msg, wParam, lParam, result)) return true;
    return false;
}

void T::OnCommand(UINT id) {
    for (CommandHandler handler : kCommandHandlers)
        if ((this->*handler)(id)) return;
}

LRESULT T::OnNotify(NMHDR& hdr) {
    LRESULT result = 0;
    for (NotifyHandler handler : kNotifyHandlers)
        if ((this->*handler)(hdr, result)) break;
    return result;
}

void T::OnContextMenu(HWND control, POINT screen) {
    for (ContextMenuHandler handler : kContextMenuHandlers)
        if ((this->*handler)(control, screen)) return;
}

// Opens a context menu of a control; from the keyboard it opens at the control's corner.
void T::PopupAt(HMENU menu, HWND control, POINT screen) {
    if (screen.x == -1 && screen.y == -1) {
        RECT rc{};
        GetWindowRect(control, &rc);
        screen = {rc.left + 8, rc.top + 8};
    }
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, screen.x, screen.y, 0, Handle_, nullptr);
}
