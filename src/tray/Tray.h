// The tray subsystem: the registry of windows placed in the notification
// area with their icons and their items in the own icon's menu, the
// per-window menu, the program's own icon, and the options that decide which
// icons and taskbar buttons show. The other subsystems reach it through the
// named operations below, never through its registry.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <unordered_set>

#include "prefs/Options.h"
#include "tray/TrayControl.h"
#include "ui/Handles.h"
#include "ui/MenuBuilder.h"
#include "ui/NotifyIcon.h"

// What the tray asks of the main window.
class TTrayHost {
public:
    virtual void ShowMainWindow(bool forced) = 0;
    virtual void HideApplication() = 0;
    virtual bool IsMainWindowOnScreen() const = 0;
    virtual void NExitClick() = 0;

protected:
    ~TTrayHost() = default;
};

class TTray {
public:
    // How long exit waits for the windows in the tray to be given back.
    static constexpr DWORD kExitWaitMs = 700;

    // Adds the own icon at once; the registry waits for Start.
    // optionsChanged: an option changed and is to be saved.
    TTray(TTrayHost& host, HWND mainWindow, HINSTANCE instance, HICON appIcon, TOptions& options,
          std::function<void()> optionsChanged);
    ~TTray();
    TTray(const TTray&) = delete;
    TTray& operator=(const TTray&) = delete;

    // Start-up: the registry, and the shell's windows that never count as
    // the last active window. Before it, window notifications are dropped.
    void Start();
    bool IsStarted() const { return TrayControl != nullptr; }
    HMENU TrayMenu() const { return TrayMenu_.get(); }
    HMENU WndMenu() const { return WndMenu_.get(); }

    // Routed by the main window.
    bool OnCommand(UINT id);
    // WM_TRAYNOTIFY: a mouse message on a window's icon.
    void OnTrayNotify(UINT iconId, UINT mouseMessage);

    // The own icon: NTraySelf flips it (shown or not).
    void NTraySelfClick();
    void RemoveOwnIcon() { TrayIcon->Remove(); }

    // Operations for the other subsystems.
    // Registers the window's root owner (no icon when `noIcon`).
    void AddToTray(HWND wnd, bool noIcon);
    // As the window list's menu puts a window there: no icon while the window
    // is on screen and the option says so.
    void AddToTray(HWND wnd);
    // A right click on a window's minimise button: registered and hidden.
    void SendToTray(HWND wnd);
    // A window was minimised: a registered one goes into the tray.
    void HideWnd(HWND wnd);
    bool Contains(HWND wnd) const;
    // The window is shown again and its entry, icon and item go.
    void TakeOutOfTray(HWND wnd);
    // The window is gone or going: its entry goes, whatever it showed.
    void ForgetWindow(HWND wnd);
    // Brings a registered window back and activates it; false when it is not registered.
    bool BringBack(HWND wnd);
    // A rule's tray setting: registered (with or without icon) or taken out.
    void ApplyTrayRule(HWND wnd, bool tray, bool noIcon);
    // Transparency for the window and the titled windows it owns; a window in
    // the tray comes back first.
    void SetTransparency(HWND wnd, int percent);
    // Whether the program may change the window: not one of a program run
    // above its own level, which the system protects. Such a window is left
    // alone, and the user hears of it once per program.
    bool MayControl(HWND wnd);
    // WM_ELEVATEDWINDOW: tells the user why the window was left alone.
    void TellElevated(HWND wnd);
    // A window activated: remembered for the icon toggle, unless it is the shell's.
    void OnWindowActivated(HWND wnd);
    // Shutdown: every window given back, every icon removed.
    void RestoreAll();
    // Brings back the window that went into the tray last (activated); false
    // when no window is hidden.
    bool BringBackLastHidden();
    // The own icon's menu as it opens: entries of windows that are gone go, and
    // the restore-all item is enabled only while a window is hidden.
    void UpdateTrayMenu();

private:
    void TrayIconClick(ui::NotifyIcon::Button button);
    void TrayMenuWndClick(UINT item);
    void ToggleTrayWindow(const TWndItem& entry);
    void OpenWndMenu(HWND wnd);

    // Commands of the menus the tray owns, and of the options it keeps.
    void NShowPelmoraClick();
    void NCloseClick();
    void NRestoreAllClick();
    void NIconHideClick();
    void NTaskBarHideClick();
    void NNoTrayClick();
    void NTopMostTrayClick();
    void N102Click(int percent);  // 透明度変更 > a percentage, for the menu's window
    void NRestoreClick();
    void NDeleteTrayClick();
    void NWndCloseClick();
    static const ui::Command<TTray> kCommands[];

    TTrayHost& Host;
    HWND MainWindow;
    TOptions& Options;
    std::function<void()> OptionsChanged;
    ui::OwnedMenu TrayMenu_;  // the own icon's menu: the tray's windows, then 終了(&X)
    ui::OwnedMenu WndMenu_;   // a tray window's own menu
    ui::OwnedImageList WndImageList;
    std::unique_ptr<ui::NotifyIcon> TrayIcon;
    std::unique_ptr<TTrayControl> TrayControl;

    // The window whose WndMenu opened last, and the tick its always-on-top item showed.
    HWND MenuWnd = nullptr;
    bool MenuShowedTopMost = false;

    // The shell's windows looked up at start, and the window active last
    // (the icon toggle with hidden taskbar buttons goes by it).
    HWND TaskbarWnd = nullptr;
    HWND DesktopWnd = nullptr;
    HWND LastActiveWnd = nullptr;

    // The processes whose user was told that their windows are out of reach,
    // and whether that message is on screen now.
    std::unordered_set<DWORD> ElevatedToldProcesses;
    bool ElevatedNoticeOpen = false;
};
