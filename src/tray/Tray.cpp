// The tray subsystem: start-up, the named operations the other subsystems use,
// and clicks on the windows' icons.
#include "tray/Tray.h"

#include "Identity.h"
#include "MenuDescription.h"
#include "ProgramContract.h"
#include "ui/ImageLists.h"
#include "ui/SystemInfo.h"
#include "ui/Text.h"
#include "windows/IntegrityLevel.h"
#include "windows/Transparency.h"
#include "windows/WindowEligibility.h"
#include "windows/WindowHelpers.h"
#include "windows/WindowText.h"
#include "windows/WindowWorker.h"

TTray::TTray(TTrayHost& host, HWND mainWindow, HINSTANCE instance, HICON appIcon, TOptions& options,
             std::function<void()> optionsChanged)
    : Host(host),
      MainWindow(mainWindow),
      Options(options),
      OptionsChanged(std::move(optionsChanged)),
      TrayMenu_(ui::BuildPopupMenu(menus::kTrayMenu)),
      WndMenu_(ui::BuildPopupMenu(menus::kWndMenu)) {
    ui::NotifyIcon::Events events;
    events.onClick = [this](ui::NotifyIcon::Button b) { TrayIconClick(b); };
    events.popupMenu = [this] {
        UpdateTrayMenu();
        return TrayMenu_.get();
    };
    events.onCommand = [this](UINT id) { OnCommand(id); };
    // Added by start-up, unless the command line asks for none.
    TrayIcon = std::make_unique<ui::NotifyIcon>(instance, appIcon, identity::kAppTitle, std::move(events));
}

TTray::~TTray() = default;

void TTray::Start() {
    // The images show in the own icon's menu, which opens over the notification area.
    WndImageList = ui::CreateSmallImageList(ui::NotificationAreaDpi());
    TrayControl = std::make_unique<TTrayControl>(MainWindow, WndImageList.get(), TrayMenu_.get());
    TaskbarWnd = FindWindowA("Shell_TrayWnd", nullptr);
    DesktopWnd = FindWindowA("Progman", "Program Manager");
    LastActiveWnd = nullptr;
    if (!IsWin2000OrLater()) ui::SetEnabled(WndMenu_.get(), ID_NTrans, false);
}

void TTray::OnTrayNotify(UINT iconId, UINT mouseMessage) {
    if (!TrayControl) return;
    if (mouseMessage != WM_LBUTTONDOWN && mouseMessage != WM_RBUTTONUP) return;
    // Entries of windows that are gone go whenever they are met.
    TrayControl->PruneGone();
    int index;
    if (!TrayControl->FindID(iconId, index)) return;
    const TWndItem& entry = TrayControl->Item(index);
    if (mouseMessage == WM_LBUTTONDOWN)
        ToggleTrayWindow(entry);
    else
        OpenWndMenu(entry.Wnd);
}

// A press on a window's icon sends it away or brings it back.
void TTray::ToggleTrayWindow(const TWndItem& entry) {
    HWND wnd = entry.Wnd;
    bool hide = Options.TaskbarHide ? wnd == LastActiveWnd : !entry.Hidden;
    if (hide) {
        if (Options.TaskbarHide) LastActiveWnd = TaskbarWnd;
        TrayControl->HideWnd(wnd, false, Options.TaskbarHide);
    } else {
        TrayControl->RestoreWnd(wnd, true, Options.NormalIconHide, SW_RESTORE, false);
    }
}

void TTray::TrayIconClick(ui::NotifyIcon::Button button) {
    if (button == ui::NotifyIcon::Button::Right) return;  // the menu opens by itself
    if (Host.IsMainWindowOnScreen())
        Host.HideApplication();
    else
        Host.ShowMainWindow(false);
}

void TTray::NTraySelfClick() {
    if (Options.TraySelf)
        TrayIcon->Remove();
    else
        TrayIcon->Add();
    Options.TraySelf = !Options.TraySelf;
}

void TTray::AddToTray(HWND wnd, bool noIcon) {
    // A window the program cannot hide is never registered as if it could.
    if (TrayControl && MayControl(GetRootOwner(wnd))) TrayControl->AddWnd(wnd, noIcon, Options.TaskbarHide);
}

void TTray::AddToTray(HWND wnd) {
    AddToTray(wnd, !IsIconic(wnd) && Options.NormalIconHide);
}

void TTray::SendToTray(HWND wnd) {
    HWND root = GetRootOwner(wnd);
    AddToTray(root, false);
    HideWnd(root);
}

void TTray::HideWnd(HWND wnd) {
    if (TrayControl) TrayControl->HideWnd(wnd, Options.NormalIconHide, Options.TaskbarHide);
}

bool TTray::Contains(HWND wnd) const {
    int index;
    return TrayControl && TrayControl->FindWnd(wnd, index);
}

void TTray::TakeOutOfTray(HWND wnd) {
    if (!TrayControl) return;
    TrayControl->RestoreWnd(wnd, false, false, SW_RESTORE, false);
    TrayControl->DeleteWnd(wnd, false);
}

void TTray::ForgetWindow(HWND wnd) {
    if (!TrayControl) return;
    TrayControl->RestoreWnd(wnd, false, false, SW_SHOWNA, true);
    TrayControl->DeleteWnd(wnd, false);
}

bool TTray::BringBack(HWND wnd) {
    return TrayControl && TrayControl->RestoreWnd(wnd, true, Options.NormalIconHide, SW_RESTORE, false);
}

void TTray::ApplyTrayRule(HWND wnd, bool tray, bool noIcon) {
    if (!TrayControl) return;
    if (tray) {
        AddToTray(wnd, (!IsIconic(wnd) && Options.NormalIconHide) || noIcon);
        if (Options.TaskbarHide) TrayControl->SetTaskbarButton(wnd, false);
    } else {
        TakeOutOfTray(wnd);
    }
    if (noIcon) TrayControl->DeleteWnd(wnd, true);
    int index;
    if (TrayControl->FindWnd(wnd, index)) TrayControl->Item(index).NoIcon = noIcon;
}

void TTray::SetTransparency(HWND wnd, int percent) {
    if (!MayControl(wnd)) return;
    BYTE alpha = TransparencyAlpha(percent);
    // A see-through hidden window helps nobody.
    if (TrayControl && TransparencyChanges(wnd, alpha))
        TrayControl->RestoreWnd(wnd, false, Options.NormalIconHide, SW_RESTORE, false);
    // After the restore asked above, on the worker: a style change waits for the window.
    // A refresh applies its rules again to every window: most have their
    // alpha already and own nothing, and need no job at all.
    std::shared_ptr<const TOwnedWindows> owned = TOwnedWindowsScope::Current();
    if (!TransparencyWouldChange(wnd, alpha, owned.get())) return;
    window_worker::Post(wnd, [wnd, alpha, owned] { ApplyTransparency(wnd, alpha, owned.get()); });
}

// Asked before every change, so it is quick: two handles opened and one token
// read (once per program in a refresh). The message comes later, posted: a
// message box here would run a message loop in the middle of a refresh or a
// rule's application.
bool TTray::MayControl(HWND wnd) {
    static const DWORD ourLevel = OwnIntegrityLevel();
    DWORD processId = 0;
    GetWindowThreadProcessId(wnd, &processId);
    const IntegrityReading theirs = processId ? ProcessIntegrityLevel(processId) : IntegrityReading{};
    switch (DecideControl(ourLevel, theirs, ElevatedToldProcesses.contains(processId))) {
        case ControlVerdict::Act:
            return true;
        case ControlVerdict::LeaveAloneAndTell:
            ElevatedToldProcesses.insert(processId);
            PostMessageW(MainWindow, WM_ELEVATEDWINDOW, 0, reinterpret_cast<LPARAM>(wnd));
            return false;
        case ControlVerdict::LeaveAlone:
            break;
    }
    return false;
}

// One message on screen at a time. Another program met while it is open is
// told about the next time one of its windows is met.
void TTray::TellElevated(HWND wnd) {
    if (ElevatedNoticeOpen) {
        DWORD processId = 0;
        GetWindowThreadProcessId(wnd, &processId);
        ElevatedToldProcesses.erase(processId);
        return;
    }
    ElevatedNoticeOpen = true;
    std::wstring text = ui::Utf8("「") + GetWindowCaption(wnd) +
                        ui::Utf8("」は管理者として実行されているプログラムのウィンドウです。\r\n"
                                 "このウィンドウを操作するには、Pelmoraを管理者として実行してください。");
    HWND owner = Host.IsMainWindowOnScreen() ? MainWindow : nullptr;
    MessageBoxW(owner, text.c_str(), identity::kAppTitle, MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND);
    ElevatedNoticeOpen = false;
}

// The desktop, the taskbars and the notification overflow are activated when
// the user clicks an icon: they never count as the last active window.
void TTray::OnWindowActivated(HWND wnd) {
    HWND root = GetRootOwner(wnd);
    if (root == TaskbarWnd || root == DesktopWnd) return;
    wchar_t className[256] = L"";
    GetClassNameW(root, className, 256);
    if (!IsShellSurface(className)) LastActiveWnd = root;
}

// Exit ends within a second whatever other programs do: a window whose
// program does not answer by then keeps its mark and comes back when it
// answers, or at the next start.
void TTray::RestoreAll() {
    if (TrayControl) TrayControl->RestoreAll(kExitWaitMs);
}

bool TTray::BringBackLastHidden() {
    if (!TrayControl) return false;
    TrayControl->PruneGone();
    int last = TrayControl->LastHidden();
    return last >= 0 && TrayControl->RestoreItem(last, true, Options.NormalIconHide, SW_RESTORE, false);
}
