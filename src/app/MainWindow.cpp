// The main window's creation and its window procedure: each message is
// unpacked and handed to the subsystem, or the frame's handler, that answers
// for it.
#include "app/MainWindow.h"

#include <stdexcept>

#include "MenuDescription.h"
#include "ProgramContract.h"
#include "app/Application.h"
#include "ui/Dpi.h"
#include "ui/ImageLists.h"
#include "ui/NotifyIcon.h"
#include "ui/ListView.h"
#include "ui/SystemInfo.h"

TPelmoraMainWindow::TPelmoraMainWindow(HINSTANCE instance, std::wstring commandLine)
    : Instance_(instance), CommandLine_(std::move(commandLine)) {
    AppIcon_ = ui::LoadSmallIcon(instance, PELMORA_ICON_ID, ui::SystemDpi());
    OwnTrayIcon_ = ui::LoadSmallIcon(instance, PELMORA_ICON_ID, ui::NotificationAreaDpi());
    ui::RegisterWindowClass(instance, kClassName, ui::ObjectWndProc<TPelmoraMainWindow>,
                            LoadIconW(instance, MAKEINTRESOURCEW(PELMORA_ICON_ID)), AppIcon_.get(),
                            reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    const UINT dpi = ui::SystemDpi();
    HWND wnd = CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, identity::kAppTitle,
                               WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                               ui::Scale(440, dpi), ui::Scale(278, dpi), nullptr, nullptr, instance, this);
    if (!wnd) throw std::runtime_error("Cannot create the main window");
    CreateControls();
    FormCreate();
}

TPelmoraMainWindow::~TPelmoraMainWindow() {
    Destroy();
}

void TPelmoraMainWindow::Destroy() {
    if (Handle_) DestroyWindow(Handle_);
}

LRESULT TPelmoraMainWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    // Registered messages cannot be case labels.
    if (OnRegisteredMessage(msg, wParam, lParam)) return 0;
    switch (msg) {
        case WM_TRAYNOTIFY:
            if (Tray_) Tray_->OnTrayNotify(static_cast<UINT>(wParam), static_cast<UINT>(lParam));
            return 0;
        case WM_ELEVATEDWINDOW:
            if (Tray_) Tray_->TellElevated(reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_COMMAND:
            if (ToolBar1 && reinterpret_cast<HWND>(lParam) == ToolBar1->ToolBar())
                ToolBar1->OnCommand(LOWORD(wParam));
            else if (lParam == 0)
                OnCommand(LOWORD(wParam));
            return 0;
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<NMHDR*>(lParam));
        case WM_CONTEXTMENU:
            OnContextMenu(reinterpret_cast<HWND>(wParam),
                          POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
            return 0;
        case WM_INITMENUPOPUP:
            OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
            return 0;
        case WM_HOTKEY:
            if (HotKeys_) HotKeys_->OnHotKey(static_cast<int>(wParam));
            return 0;
        case WM_TIMER:
            if (wParam == kSaveTimer) OnSaveTimer();
            return 0;
        case WM_SIZE:
            OnSize();
            return 0;
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_SYSCOMMAND:
            if (OnSysCommand(wParam, lParam)) return 0;
            break;
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

bool TPelmoraMainWindow::OnRegisteredMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return msg >= 0xC000 && Hook_ && Hook_->OnHookMessage(msg, wParam, lParam);
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

// Each subsystem answers for the commands of its own table.
void TPelmoraMainWindow::OnCommand(UINT id) {
    if (OnAppCommand(id)) return;
    if (Tray_ && Tray_->OnCommand(id)) return;
    if (HotKeys_ && HotKeys_->OnCommand(id)) return;
    if (CurrWin_ && CurrWin_->OnCommand(id)) return;
    if (Rules_) Rules_->OnCommand(id);
}

// Notifications go to the object that owns the control that sent them.
LRESULT TPelmoraMainWindow::OnNotify(NMHDR& hdr) {
    if (hdr.hwndFrom == PageControl && hdr.code == TCN_SELCHANGE) OnTabChange();
    if (CurrWin_ && hdr.hwndFrom == CurrWin_->ListView()) return CurrWin_->OnNotify(hdr);
    if (Rules_ && hdr.hwndFrom == Rules_->ListView()) return Rules_->OnNotify(hdr);
    return 0;
}

void TPelmoraMainWindow::OnContextMenu(HWND control, POINT screen) {
    if (CurrWin_ && control == CurrWin_->ListView())
        CurrWin_->OnContextMenu(screen);
    else if (Rules_ && control == Rules_->ListView())
        Rules_->OnContextMenu(screen);
}

// The 表示(&V) menu shows the options as it opens.
void TPelmoraMainWindow::OnInitMenuPopup(HMENU menu) {
    if (menu != ui::FindSubmenu(MainMenu.get(), ID_N7)) return;
    ui::SetChecked(menu, ID_NShowWin, Options_.ShowWindow);
    ui::SetChecked(menu, ID_NIconHide, Options_.NormalIconHide);
    ui::SetChecked(menu, ID_NTaskBarHide, Options_.TaskbarHide);
    ui::SetEnabled(menu, ID_NTaskBarHide, Options_.TaskbarHideAvailable);
}

// Moved to a monitor of another DPI (or the user changed its scale): the
// window takes the size the system proposes, the font, the columns and the
// lists' icons follow.
void TPelmoraMainWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
    const UINT old = Dpi_ ? Dpi_ : ui::SystemDpi();
    Dpi_ = dpi;
    SetWindowPos(Handle_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (!Font_) return;  // start-up has not made the font yet
    Font_ = SetSystemFont(dpi);
    for (HWND list : {CurrWin_->ListView(), Rules_->ListView()}) ui::RescaleColumns(list, old, dpi);
    CurrWin_->OnDpiChanged(dpi);
    Rules_->OnDpiChanged(dpi);
    SetCaptionIcon(dpi);
    ApplyFont();
}

// The class's small icon is drawn for the system's DPI; at another the
// caption gets the icon drawn for its own size, not that one stretched.
void TPelmoraMainWindow::SetCaptionIcon(UINT dpi) {
    ui::OwnedIcon icon = ui::LoadSmallIcon(Instance_, PELMORA_ICON_ID, dpi);
    if (!icon) return;
    SendMessageW(Handle_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon.get()));
    CaptionIcon_ = std::move(icon);  // the one it replaces is no longer shown
}
