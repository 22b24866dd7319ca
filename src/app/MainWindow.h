// The program's one main window: a frame. It owns one object per subsystem
// (the tray, the rules, the current-window list, the hook events, the
// hotkeys), lays out
// the tool bar, the tabs and the two lists, runs start-up and shutdown in
// order, keeps the preferences, and routes each message, command and
// notification to the subsystem that answers for it.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "Identity.h"
#include "hook/HookEvents.h"
#include "hotkeys/HotKeys.h"
#include "prefs/Options.h"
#include "rules/Rules.h"
#include "settings/Setting.h"
#include "tray/Tray.h"
#include "ui/Handles.h"
#include "ui/MenuBuilder.h"
#include "ui/MenuToolBar.h"
#include "ui/WindowClass.h"
#include "winlist/CurrWinList.h"

class TPelmoraMainWindow : private TTrayHost {
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
    // Window procedure and routing (app/MainWindow.cpp).
    friend TPelmoraMainWindow* ui::WindowObject<TPelmoraMainWindow>(HWND, UINT, LPARAM);
    friend LRESULT CALLBACK ui::ObjectWndProc<TPelmoraMainWindow>(HWND, UINT, WPARAM, LPARAM) noexcept;
    void BindWindow(HWND wnd) { Handle_ = wnd; }
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    bool OnRegisteredMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    bool OnSysCommand(WPARAM command, LPARAM lParam);
    void OnCommand(UINT id);
    LRESULT OnNotify(NMHDR& hdr);
    void OnContextMenu(HWND control, POINT screen);
    void OnInitMenuPopup(HMENU menu);
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    void SetCaptionIcon(UINT dpi);

    // Layout: cool bar with the menu tool bar, tabs and lists (app/MainWindowLayout.cpp).
    void CreateControls();
    void ApplyFont();
    void OnSize();
    void OnTabChange();

    // Start-up, shutdown and preferences (app/MainWindowStartup.cpp).
    void FormCreate();
    void RunStartupSteps();
    void LoadPreferences();
    void FormDestroy();
    void SavePreferences();
    void SaveSoon();
    void OnSaveTimer();
    void SaveSettings(bool atExit);
    static constexpr UINT_PTR kSaveTimer = 1;
    static constexpr UINT kSaveDelayMs = 500;
    void ApplyStoredPlacement(int left, int top, int width, int height);

    // Showing and hiding the window (app/MainWindowCommands.cpp).
    void ShowMainWindow(bool forced) override;
    void HideApplication() override;
    bool IsMainWindowOnScreen() const override;
    void ShowApplication();

    // Commands of the window itself (app/MainWindowCommands.cpp).
    void NExitClick() override;
    void NShowWinClick();
    void NViewHelpClick();
    void N3Click();  // Pelmoraについて: the About dialog
    bool OnAppCommand(UINT id);
    static const ui::Command<TPelmoraMainWindow> kCommands[];

    HINSTANCE Instance_;
    std::wstring CommandLine_;
    HWND Handle_ = nullptr;

    // Controls and their resources.
    ui::OwnedFont Font_;
    UINT Dpi_ = 0;  // the DPI the controls are laid out for; 0 until start-up made the font
    ui::OwnedIcon AppIcon_;      // the window class's small icon, at the system's DPI
    ui::OwnedIcon CaptionIcon_;  // the caption's small icon once the window is at another DPI
    ui::OwnedIcon OwnTrayIcon_;  // the own notification icon, at the notification area's DPI
    ui::OwnedMenu MainMenu;                   // shown as the tool bar's buttons
    std::unique_ptr<ui::MenuToolBar> ToolBar1;  // the menu tool bar in its cool bar
    HWND PageControl = nullptr;               // the tabs ウィンドウ一覧 and 自動ウィンドウ制御一覧

    // The options of the 表示(&V) menu, shared with the tray that acts on them.
    TOptions Options_;

    // The subsystems, made in this order and destroyed in reverse.
    std::unique_ptr<TTray> Tray_;
    std::unique_ptr<TRules> Rules_;
    std::unique_ptr<TCurrWinList> CurrWin_;
    std::unique_ptr<THookEvents> Hook_;
    std::unique_ptr<THotKeys> HotKeys_;

    // Settings: absent when the file could not be read.
    std::unique_ptr<TSetting> Setting_;
    // Start-up steps that completed; shutdown writes back only what was loaded,
    // so a run that stopped on a bad value does not overwrite what it never read.
    int LoadedStep_ = 0;
    // A window that is to open maximised but was not shown yet.
    bool ShowMaximized_ = false;
    // The last save during the session failed (and said so).
    bool SaveFailed_ = false;
    // Tries left for a save that failed, before the user is told.
    static constexpr int kSaveRetries = 3;
    int SaveRetriesLeft_ = kSaveRetries;
};
