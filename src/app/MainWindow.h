// The program's one main window. It owns everything that lives for the whole
// run and hosts the handlers of every subsystem; the members are defined in the
// folder of the subsystem they belong to.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "app/Menus.h"
#include "settings/Setting.h"
#include "ui/Handles.h"
#include "ui/MenuToolBar.h"
#include "ui/NotifyIcon.h"
#include "ui/WindowClass.h"

class TPelmoraMainWindow {
public:
    static constexpr const wchar_t* kClassName = L"TPelmoraMainWindow";

    TPelmoraMainWindow(HINSTANCE instance, std::wstring commandLine);
    ~TPelmoraMainWindow();
    TPelmoraMainWindow(const TPelmoraMainWindow&) = delete;
    TPelmoraMainWindow& operator=(const TPelmoraMainWindow&) = delete;

    HWND Handle() const { return Handle_; }
    // Destroys the window, which runs the shutdown sequence (once).
    void Destroy();
    // Sees every message of the thread before it is dispatched.
    void ApplicationEventsMessage(const MSG& msg);

private:
    // Window procedure and message handlers (app/MainWindow.cpp).
    static LRESULT CALLBACK StaticWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    friend TPelmoraMainWindow* ui::WindowObject<TPelmoraMainWindow>(HWND, UINT, LPARAM);
    void BindWindow(HWND wnd) { Handle_ = wnd; }
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    void OnCommand(UINT id);
    LRESULT OnNotify(const NMHDR& hdr);
    void OnContextMenu(HWND control, POINT screen);
    void OnSysCommand(WPARAM command, LPARAM lParam, bool& handled);
    void OnSize();
    void OnTabChange();

    // Layout: cool bar with the menu tool bar, tabs and lists (app/MainWindowLayout.cpp).
    void CreateControls();
    void CreateImageLists();
    void ApplyFont();

    // Start-up, shutdown and preferences (app/MainWindowStartup.cpp).
    void FormCreate();
    void RunStartupSteps();
    void LoadPreferences();
    void FormDestroy();
    void SavePreferences();
    void ApplyStoredPlacement(int left, int top, int width, int height);

    // Commands of the window itself (app/MainWindowCommands.cpp).
    void NExitClick();
    void NShowWinClick();
    void NViewHelpClick();
    void N3Click();
    void lvRegWinContextPopup();

    // Own tray icon and visibility options (tray/OwnIcon.cpp).
    void CreateTrayIcon();
    void TrayIconClick(ui::NotifyIcon::Button button);
    void ShowMainWindow(bool forced);
    void ShowApplication();
    void HideApplication();
    bool IsMainWindowOnScreen() const;
    void NCloseClick();
    void NTraySelfClick();
    void NIconHideClick();
    void NTaskBarHideClick();

    HINSTANCE Instance_;
    std::wstring CommandLine_;
    HWND Handle_ = nullptr;
    bool Destroyed_ = false;

    // Controls and their resources.
    ui::OwnedFont Font_;
    TMenus Menus_;
    std::unique_ptr<ui::MenuToolBar> ToolBar1;
    HWND PageControl = nullptr;
    HWND lvCurrWin = nullptr;
    HWND lvRegWin = nullptr;
    ui::OwnedImageList WndImageList, CurrWinImageList, RegWinImageList;
    ui::OwnedIcon AppIcon_;
    std::unique_ptr<ui::NotifyIcon> TrayIcon;

    // Hook library: only its message is known until the library is loaded.
    UINT HookMessage = 0;
    bool Hooked = false;

    // Windows looked up once at start.
    HWND TaskbarWnd = nullptr;
    HWND DesktopWnd = nullptr;
    HWND LastActiveWnd = nullptr;

    // Settings: absent when the file could not be read.
    std::unique_ptr<TSetting> Setting_;
    // Start-up steps that completed; shutdown writes back only what was loaded,
    // so a run that stopped on a bad value does not overwrite what it never read.
    int LoadedStep_ = 0;
    // The stored rule list, carried through unchanged.
    std::string RegistWindowsText_;
    // A window that is to open maximised but was not shown yet.
    bool ShowMaximized_ = false;
};
