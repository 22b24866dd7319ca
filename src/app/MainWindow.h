// The program's one main window. It owns everything that lives for the whole
// run and hosts the handlers of every subsystem; the members are defined in the
// folder of the subsystem they belong to.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "Identity.h"
#include "app/Menus.h"
#include "settings/Setting.h"
#include "ui/Handles.h"
#include "ui/MenuToolBar.h"
#include "ui/NotifyIcon.h"
#include "ui/WindowClass.h"

class TPelmoraMainWindow {
public:
    static constexpr const wchar_t* kClassName = identity::kMainWindowClass;

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
    friend TPelmoraMainWindow* ui::WindowObject<TPelmoraMainWindow>(HWND, UINT, LPARAM);
    friend LRESULT CALLBACK ui::ObjectWndProc<TPelmoraMainWindow>(HWND, UINT, WPARAM, LPARAM) noexcept;
    void BindWindow(HWND wnd) { Handle_ = wnd; }
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    bool OnAppMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnSysCommand(WPARAM command, LPARAM lParam);
    void OnSize();
    void OnTabChange();

    // Dispatch (app/MainWindowDispatch.cpp). Each subsystem answers for its own
    // messages, commands, list notifications and context menus: the main window
    // asks the handlers of one table in turn until one says it handled the
    // event. A new subsystem adds its handlers and one line to each table.
    using MessageHandler = bool (TPelmoraMainWindow::*)(UINT msg, WPARAM wParam, LPARAM lParam,
                                                        LRESULT& result);
    using CommandHandler = bool (TPelmoraMainWindow::*)(UINT id);
    using NotifyHandler = bool (TPelmoraMainWindow::*)(const NMHDR& hdr, LRESULT& result);
    using ContextMenuHandler = bool (TPelmoraMainWindow::*)(HWND control, POINT screen);
    static const MessageHandler kMessageHandlers[];
    static const CommandHandler kCommandHandlers[];
    static const NotifyHandler kNotifyHandlers[];
    static const ContextMenuHandler kContextMenuHandlers[];
    bool DispatchMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void OnCommand(UINT id);
    LRESULT OnNotify(const NMHDR& hdr);
    void OnContextMenu(HWND control, POINT screen);
    void PopupAt(HMENU menu, HWND control, POINT screen);

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
    bool OnAppCommand(UINT id);
    bool OnAppNotify(const NMHDR& hdr, LRESULT& result);
    bool OnAppContextMenu(HWND control, POINT screen);
    void NExitClick();
    void NShowWinClick();
    void NViewHelpClick();
    void N3Click();
    void lvRegWinContextPopup();

    // Own tray icon and visibility options (tray/OwnIcon.cpp).
    bool OnOwnIconCommand(UINT id);
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
