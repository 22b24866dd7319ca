#include "app/MainWindow.h"

#include <commctrl.h>

#include "app/Application.h"
#include "app/MenuIds.h"
#include "app/SingleInstance.h"
#include "ui/WindowClass.h"

TPelmoraMainWindow::TPelmoraMainWindow(HINSTANCE instance, std::wstring commandLine)
    : Instance_(instance), CommandLine_(std::move(commandLine)) {
    AppIcon_.reset(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 16, 16, 0)));
    ui::RegisterWindowClass(instance, kClassName, StaticWndProc, LoadIconW(instance, MAKEINTRESOURCEW(1)),
                            AppIcon_.get(), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, L"Pelmora", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                    CW_USEDEFAULT, CW_USEDEFAULT, 440, 278, nullptr, nullptr, instance, this);
    CreateControls();
    CreateTrayIcon();
    FormCreate();
}

TPelmoraMainWindow::~TPelmoraMainWindow() {
    Destroy();
}

void TPelmoraMainWindow::Destroy() {
    if (Handle_) DestroyWindow(Handle_);
}

LRESULT CALLBACK TPelmoraMainWindow::StaticWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = ui::WindowObject<TPelmoraMainWindow>(wnd, msg, lParam);
    if (!self || msg == WM_NCDESTROY) return DefWindowProcW(wnd, msg, wParam, lParam);
    return self->WndProc(msg, wParam, lParam);
}

LRESULT TPelmoraMainWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            if (ToolBar1 && reinterpret_cast<HWND>(lParam) == ToolBar1->ToolBar())
                ToolBar1->OnCommand(LOWORD(wParam));
            else if (lParam == 0)
                OnCommand(LOWORD(wParam));
            return 0;
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_CONTEXTMENU:
            OnContextMenu(reinterpret_cast<HWND>(wParam),
                          POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
            return 0;
        case WM_SIZE:
            OnSize();
            return 0;
        case WM_SYSCOMMAND: {
            bool handled = false;
            OnSysCommand(wParam, lParam, handled);
            if (handled) return 0;
            break;
        }
        case WM_CLOSE:
            // The main window closing ends the program, by the same road as the menu.
            NExitClick();
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            // The session ends without our loop finishing: shut down in order now.
            if (wParam) Destroy();
            return 0;
        case WM_DESTROY:
            FormDestroy();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(Handle_, msg, wParam, lParam);
}

void TPelmoraMainWindow::OnSysCommand(WPARAM command, LPARAM lParam, bool& handled) {
    switch (command & 0xFFF0) {
        case SC_MINIMIZE:
            // Minimising sends the program into the notification area.
            HideApplication();
            handled = true;
            break;
        case SC_KEYMENU:
            // No menu bar: Alt + a letter opens the tool bar's menu of that letter.
            handled = lParam != 0 && ToolBar1 && ToolBar1->OnMenuKey(static_cast<wchar_t>(lParam));
            break;
        default:
            break;
    }
}

void TPelmoraMainWindow::OnCommand(UINT id) {
    switch (id) {
        case ID_NExit:
            NExitClick();
            break;
        case ID_NShowWin:
            NShowWinClick();
            break;
        case ID_NIconHide:
            NIconHideClick();
            break;
        case ID_NTaskBarHide:
            NTaskBarHideClick();
            break;
        case ID_NViewHelp:
            NViewHelpClick();
            break;
        case ID_N3:
            N3Click();
            break;
        case ID_NShowPelmora:
            ShowMainWindow(false);
            break;
        case ID_NClose:
            NCloseClick();
            break;
        default:
            break;  // commands of the lists, rules and tray entries arrive with their subsystems
    }
}

LRESULT TPelmoraMainWindow::OnNotify(const NMHDR& hdr) {
    if (hdr.hwndFrom == PageControl && hdr.code == TCN_SELCHANGE) OnTabChange();
    return 0;
}

void TPelmoraMainWindow::OnContextMenu(HWND control, POINT screen) {
    HMENU menu = nullptr;
    if (control == lvCurrWin) {
        menu = Menus_.CurrWinMenu.get();
    } else if (control == lvRegWin) {
        lvRegWinContextPopup();
        menu = Menus_.lvRegMenu.get();
    }
    if (!menu) return;
    if (screen.x == -1 && screen.y == -1) {  // from the keyboard: open at the list's corner
        RECT rc{};
        GetWindowRect(control, &rc);
        screen = {rc.left + 8, rc.top + 8};
    }
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, screen.x, screen.y, 0, Handle_, nullptr);
}
