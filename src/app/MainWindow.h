// The program's one main window. It owns everything that lives for the whole
// run and hosts the handlers of every subsystem; the members are defined in the
// folder of the subsystem they belong to.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "Identity.h"
#include "app/Menus.h"
#include "hook/HookLibrary.h"
#include "rules/RegWinItem.h"
#include "tray/TrayControl.h"
#include "windows/CurrWinItem.h"
#include "windows/WinInfo.h"
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
    using NotifyHandler = bool (TPelmoraMainWindow::*)(NMHDR& hdr, LRESULT& result);
    using ContextMenuHandler = bool (TPelmoraMainWindow::*)(HWND control, POINT screen);
    static const MessageHandler kMessageHandlers[];
    static const CommandHandler kCommandHandlers[];
    static const NotifyHandler kNotifyHandlers[];
    static const ContextMenuHandler kContextMenuHandlers[];
    bool DispatchMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void OnCommand(UINT id);
    LRESULT OnNotify(NMHDR& hdr);
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
    bool OnAppNotify(NMHDR& hdr, LRESULT& result);
    void NExitClick();
    void NShowWinClick();
    void NViewHelpClick();
    void N3Click();

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

    // Hook library and its notifications (hook/MainWindowHook.cpp).
    bool StartHookLibrary();
    bool OnHookMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void HookTrayWindowReceived(HWND wnd);
    void HookWindowGoneReceived(HWND wnd);
    void HookWindowCreatedReceived(HWND wnd);
    void HookWindowActivatedReceived(HWND wnd);

    // Current-window list (windows/MainWindowCurrWin.cpp).
    bool OnCurrWinCommand(UINT id);
    bool OnCurrWinNotify(NMHDR& hdr, LRESULT& result);
    bool OnCurrWinContextMenu(HWND control, POINT screen);
    HWND SelectedCurrWin() const;
    int IndexOfCurrWin(HWND wnd) const;
    void SetCurrWinRowCount();
    void AddCurrWinItem(TWinInfo& info);
    void RemoveCurrWinItem(HWND wnd);
    void NRefreshClick();
    void lvCurrWinData(LVITEMW& item);
    bool lvCurrWinContextPopup();
    void NAddTrayClick();
    void lvCurrWinDblClick();
    void lvCurrWinMouseDown();

    // Transparency and always-on-top (windows/MainWindowTransparency.cpp).
    void SetTransparency(HWND wnd, int percent);
    void N101Click(int percent);
    void N102Click(int percent);
    void NTopMostClick();
    void NTopMostTrayClick();

    // Tray menus and per-window commands (tray/MainWindowTray.cpp).
    void CreateTrayControl();
    bool OnTrayCommand(UINT id);
    bool OnTrayMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool IconHideChecked() const;
    bool TaskBarHideChecked() const;
    void AddToTray(HWND wnd, bool noIcon);
    UINT FindTrayMenuItem(HWND wnd) const;
    UINT InsertTrayMenuItem(HWND wnd);
    void TrayMenuWndClick(UINT item);
    void OnTrayIconNotify(UINT id, UINT mouseMessage);
    void ToggleTrayWindow(const TWndItem& entry);
    void OpenWndMenu(HWND wnd);
    void NNoTrayClick();
    void NRestoreClick();
    void NDeleteTrayClick();
    void NWndCloseClick();

    // Rules of automatic window control (rules/MainWindowRules.cpp).
    int IndexOfRule(const std::string& fileName) const;
    void AddRule(const StoredRule& values);
    void PutRule(const StoredRule& values);
    void DeleteRule(int index, bool keepImageIndexes);
    void ApplyRule(HWND wnd, const TRegWinItem& rule);
    void LoadRules(const std::string& text);
    std::string RulesText() const;
    void SetRegWinRowCount();

    // The rule list and its commands (rules/MainWindowRuleList.cpp).
    bool OnRulesCommand(UINT id);
    bool OnRulesNotify(NMHDR& hdr, LRESULT& result);
    bool OnRulesContextMenu(HWND control, POINT screen);
    void lvRegWinData(LVITEMW& item);
    void lvRegWinContextPopup();
    void EditRule(const StoredRule& prefill);
    void NNewClick();
    void NRegistClick();
    void lvRegWinDblClick();
    void NRegDeleteClick();
    void NClearClick();

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

    // Hook library.
    UINT HookMessage = 0;
    hook::THookLibrary HookLib;

    // Tray registry, created at start-up; MenuWnd is the window whose WndMenu opened last.
    std::unique_ptr<TTrayControl> TrayControl;
    HWND MenuWnd = nullptr;

    // The current-window list: rows in order and the snapshots of the last refresh.
    std::vector<TCurrWinItem> CurrWinItems;
    TWinInfoList WinInfos;

    // The rules, in row order.
    std::vector<TRegWinItem> RegWinItems;

    // Windows looked up once at start.
    HWND TaskbarWnd = nullptr;
    HWND DesktopWnd = nullptr;
    HWND LastActiveWnd = nullptr;

    // Settings: absent when the file could not be read.
    std::unique_ptr<TSetting> Setting_;
    // Start-up steps that completed; shutdown writes back only what was loaded,
    // so a run that stopped on a bad value does not overwrite what it never read.
    int LoadedStep_ = 0;
    // A window that is to open maximised but was not shown yet.
    bool ShowMaximized_ = false;
};
