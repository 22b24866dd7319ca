#include "app/MainWindow.h"

#include <commctrl.h>

#include <stdexcept>

#include "app/Application.h"
#include "app/MenuIds.h"
#include "app/SingleInstance.h"
#include "ui/WindowClass.h"

TPelmoraMainWindow::TPelmoraMainWindow(HINSTANCE instance, std::wstring commandLine)
    : Instance_(instance), CommandLine_(std::move(commandLine)) {
    AppIcon_.reset(
        static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(PELMORA_ICON_ID), IMAGE_ICON, 16, 16, 0)));
    ui::RegisterWindowClass(instance, kClassName, ui::ObjectWndProc<TPelmoraMainWindow>,
                            LoadIconW(instance, MAKEINTRESOURCEW(PELMORA_ICON_ID)), AppIcon_.get(),
                            reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    HWND wnd = CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, identity::kAppTitle,
                               WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT, 440, 278,
                               nullptr, nullptr, instance, this);
    if (!wnd) throw std::runtime_error("Cannot create the main window");
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

LRESULT TPelmoraMainWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (DispatchMessage(msg, wParam, lParam, result)) return result;
    return DefWindowProcW(Handle_, msg, wParam, lParam);
}

// The messages of the window itself.
bool TPelmoraMainWindow::OnAppMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
        case WM_COMMAND:
            if (ToolBar1 && reinterpret_cast<HWND>(lParam) == ToolBar1->ToolBar())
                ToolBar1->OnCommand(LOWORD(wParam));
            else if (lParam == 0)
                OnCommand(LOWORD(wParam));
            return true;
        case WM_NOTIFY:
            result = OnNotify(*reinterpret_cast<NMHDR*>(lParam));
            return true;
        case WM_CONTEXTMENU:
            OnContextMenu(reinterpret_cast<HWND>(wParam),
                          POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
            return true;
        case WM_SIZE:
            OnSize();
            return true;
        case WM_SYSCOMMAND:
            return OnSysCommand(wParam, lParam);
        case WM_CLOSE:
            // The main window closing ends the program, by the same road as the menu.
            NExitClick();
            return true;
        case WM_QUERYENDSESSION:
            result = TRUE;
            return true;
        case WM_ENDSESSION:
            // The session ends without our loop finishing: shut down in order now.
            if (wParam) Destroy();
            return true;
        case WM_DESTROY:
            FormDestroy();
            return true;
        default:
            return false;
    }
}

bool TPelmoraMainWindow::OnSysCommand(WPARAM command, LPARAM lParam) {
    switch (command & 0xFFF0) {
        case SC_MINIMIZE:
            // Minimising sends the program into the notification area.
            HideApplication();
            return true;
        case SC_KEYMENU:
            // No menu bar: Alt + a letter opens the tool bar's menu of that letter.
            return lParam != 0 && ToolBar1 && ToolBar1->OnMenuKey(static_cast<wchar_t>(lParam));
        default:
            return false;
    }
}
