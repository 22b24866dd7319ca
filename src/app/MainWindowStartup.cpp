// Start-up and shutdown of the main window, and the preferences it keeps in
// the settings file.
#include <windows.h>
#include <shellapi.h>

#include <exception>
#include <vector>

#include "app/Application.h"
#include "app/MainWindow.h"
#include "prefs/Preferences.h"
#include "prefs/WindowBounds.h"
#include "ui/Dpi.h"
#include "ui/ErrorBox.h"
#include "ui/ExePath.h"
#include "ui/ListView.h"
#include "ui/SystemInfo.h"
#include "ui/Text.h"
#include "windows/ScreenCoordinates.h"

namespace {

// Start-up steps whose values shutdown writes back (see LoadedStep_).
enum Step {
    kStepSettings = 10,
    kStepTaskbarHide = 11,
    kStepIconHide = 12,
    kStepPlacement = 13,
    kStepMaximized = 14,
    kStepColumns = 15,
    kStepRules = 16,
    kStepHotKeys = 17,
};

// Keys newer than the settings file's format are written only once they
// matter: a file without them keeps every byte.
constexpr char kHotKeyToTray[] = "HotKeyToTray";
constexpr char kHotKeyBringBack[] = "HotKeyBringBack";

bool HasHideIconSwitch(const std::wstring& commandLine) {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(commandLine.c_str(), &argc);
    if (!argv) return false;
    bool found = false;
    for (int i = 1; i < argc && !found; ++i) {
        const wchar_t* arg = argv[i];
        found = (arg[0] == L'-' || arg[0] == L'/') && lstrcmpiW(arg + 1, L"hideicon") == 0;
    }
    LocalFree(argv);
    return found;
}

void ApplyColumnOrder(HWND listView, const std::string& text) {
    ColumnLayout layout = ui::GetColumnLayout(listView);
    ApplyColumnOrderText(text, layout);
    ui::SetColumnLayout(listView, layout);
}

}  // namespace

void TPelmoraMainWindow::FormCreate() {
    try {
        RunStartupSteps();
    } catch (const std::exception& e) {
        // The rest of start-up is skipped; the program runs on hidden, reached
        // through its own icon.
        ui::ShowErrorBox(nullptr, e.what());
    }
}

void TPelmoraMainWindow::RunStartupSteps() {
    Dpi_ = ui::WindowDpi(Handle_);
    Font_ = SetSystemFont(Dpi_);
    ApplyFont();
    if (Dpi_ != ui::SystemDpi()) SetCaptionIcon(Dpi_);
    if (!Hook_->StartHookLibrary(Handle_)) {
        // Nothing else starts: the settings are neither read nor written.
        TApplication::Terminate();
        return;
    }
    Tray_->Start();
    // The own icon comes before the settings are read, so that a start-up
    // stopped by them leaves the program reached through it; asked to show
    // none, the program never adds it, not even for a moment.
    Options_.TraySelf = HasHideIconSwitch(CommandLine_);
    Tray_->NTraySelfClick();
    // The file is opened by its UTF-8 path (the wide functions open it, so any
    // folder works) and named in messages in the ANSI code page.
    const std::wstring settingsFile = ChangeFileExt(ExeFileName(), L".xml");
    Setting_ = TSetting::Create(ui::Narrow(settingsFile, CP_UTF8), ui::Narrow(settingsFile, CP_ACP));
    LoadedStep_ = kStepSettings;
    LoadPreferences();

    CurrWin_->NRefreshClick();

    Options_.ShowWindow = StrToBool(Setting_->GetValue("ShowWindow", "-1"));
    if (Options_.ShowWindow) ShowApplication();
}

void TPelmoraMainWindow::LoadPreferences() {
    Options_.TaskbarHideAvailable = IsWinXPOrLater();
    if (Options_.TaskbarHideAvailable) Options_.TaskbarHide = StrToBool(Setting_->GetValue("TaskbarHide", "0"));
    LoadedStep_ = kStepTaskbarHide;
    Options_.NormalIconHide = StrToBool(Setting_->GetValue("NormalIconHide", "0"));
    LoadedStep_ = kStepIconHide;

    int left = StrToInt(Setting_->GetValue("Left", "200"));
    int top = StrToInt(Setting_->GetValue("Top", "200"));
    int width = StrToInt(Setting_->GetValue("Width", "440"));
    int height = StrToInt(Setting_->GetValue("Height", "278"));
    // Stored in units of 96 DPI, as the system scaled them for programs that
    // laid themselves out at 96 DPI: the same file opens the same window.
    const UINT dpi = ui::SystemDpi();
    ApplyStoredPlacement(ui::Scale(left, dpi), ui::Scale(top, dpi), ui::Scale(width, dpi), ui::Scale(height, dpi));
    LoadedStep_ = kStepPlacement;
    ShowMaximized_ = StrToBool(Setting_->GetValue("Maximized", "0"));
    LoadedStep_ = kStepMaximized;

    ApplyColumnOrder(CurrWin_->ListView(), Setting_->GetValue("CurrWinColumnsOrder", "0=200,1=200"));
    Rules_->LoadColumnOrder(Setting_->GetValue("RegWinColumnsOrder", "0=205,1=50,2=85,3=75"));
    LoadedStep_ = kStepColumns;
    Rules_->LoadRules(Setting_->GetValue("RegistWindows"));
    LoadedStep_ = kStepRules;
    HotKeys_->Start(Setting_->GetValue(kHotKeyToTray, ""), Setting_->GetValue(kHotKeyBringBack, ""));
    LoadedStep_ = kStepHotKeys;
}

// The stored rectangle is the restored one in screen coordinates; the
// placement takes it in work-area coordinates, which differ when the taskbar
// sits at the top or left. Shutdown converts back the same way, so the window
// does not creep across runs.
void TPelmoraMainWindow::ApplyStoredPlacement(int left, int top, int width, int height) {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    GetWindowPlacement(Handle_, &wp);
    wp.showCmd = SW_HIDE;  // the window is shown, or not, at the end of start-up
    BoundsEdges e = EdgesFromBounds({left, top, width, height});
    wp.rcNormalPosition = ScreenToPlacement({e.left, e.top, e.right, e.bottom});
    SetWindowPlacement(Handle_, &wp);
}

void TPelmoraMainWindow::FormDestroy() {
    // The own icon goes first: a click on it while the program ends (a failed
    // save's error box is open) would reach a window that is being destroyed.
    if (Tray_) Tray_->RemoveOwnIcon();
    // No new notification may arrive while the windows are given back.
    if (Hook_) Hook_->Stop();
    // Saved before the windows are given back: nothing another program does
    // can cost the settings.
    KillTimer(Handle_, kSaveTimer);
    SaveSettings(true);
    if (Tray_) Tray_->RestoreAll();
    if (Hook_) Hook_->Unload();
    Setting_.reset();
}

// A change is saved half a second later, so that a burst of changes is
// written once and a kill or a crash loses nothing.
void TPelmoraMainWindow::SaveSoon() {
    if (Setting_) SetTimer(Handle_, kSaveTimer, kSaveDelayMs, nullptr);
}

void TPelmoraMainWindow::OnSaveTimer() {
    KillTimer(Handle_, kSaveTimer);
    SaveSettings(false);
}

// A save can fail for a moment (the file held open by a virus scanner, a
// backup or an editor): during the session it is tried again a few times
// before the user is told, and a failure that lasts is told once, not at
// every change. The save at exit always says so.
void TPelmoraMainWindow::SaveSettings(bool atExit) {
    if (!Setting_) return;
    SavePreferences();
    try {
        Setting_->Save();
        SaveFailed_ = false;
        SaveRetriesLeft_ = kSaveRetries;
    } catch (const std::exception& e) {
        if (!atExit && SaveRetriesLeft_ > 0) {
            --SaveRetriesLeft_;
            SetTimer(Handle_, kSaveTimer, kSaveDelayMs, nullptr);
            return;
        }
        SaveRetriesLeft_ = kSaveRetries;
        if (atExit || !SaveFailed_) ui::ShowErrorBox(nullptr, e.what());
        SaveFailed_ = true;
    }
}

void TPelmoraMainWindow::SavePreferences() {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    GetWindowPlacement(Handle_, &wp);
    const RECT r = PlacementToScreen(wp.rcNormalPosition);
    // Also maximised: hidden into the tray from a maximised state, or never shown yet.
    bool maximized = wp.showCmd == SW_SHOWMAXIMIZED ||
                     (wp.showCmd == SW_SHOWMINIMIZED && (wp.flags & WPF_RESTORETOMAXIMIZED)) ||
                     ShowMaximized_;
    auto put = [this](int step, const char* key, const std::string& value) {
        if (LoadedStep_ >= step) Setting_->SetValue(key, value);
    };
    // Units of 96 DPI: the position at the system's DPI, as start-up places
    // it; the size at the DPI of the monitor it is on, which start-up's
    // placement reaches through the system's DPI change.
    const UINT systemDpi = ui::SystemDpi(), windowDpi = ui::WindowDpi(Handle_);
    put(kStepPlacement, "Top", IntToStr(ui::Unscale(r.top, systemDpi)));
    put(kStepPlacement, "Left", IntToStr(ui::Unscale(r.left, systemDpi)));
    StoredBounds bounds = BoundsFromEdges({r.left, r.top, r.right, r.bottom});
    put(kStepPlacement, "Width", IntToStr(ui::Unscale(bounds.width, windowDpi)));
    put(kStepPlacement, "Height", IntToStr(ui::Unscale(bounds.height, windowDpi)));
    put(kStepMaximized, "Maximized", BoolToStr(maximized));
    put(kStepColumns, "CurrWinColumnsOrder", ColumnOrderText(ui::GetColumnLayout(CurrWin_->ListView())));
    put(kStepColumns, "RegWinColumnsOrder", Rules_->ColumnOrderText());
    if (LoadedStep_ >= kStepRules) Setting_->SetValue("RegistWindows", Rules_->RulesText());
    put(kStepIconHide, "NormalIconHide", BoolToStr(Options_.NormalIconHide));
    auto putNewer = [&](const char* key, const std::string& value, const std::string& defaultValue) {
        if (!Setting_->GetValue(key, "").empty() || value != defaultValue) put(kStepHotKeys, key, value);
    };
    putNewer(kHotKeyToTray, HotKeys_->ToTrayText(), hotkeys::CodeText(hotkeys::kToTrayDefault));
    putNewer(kHotKeyBringBack, HotKeys_->BringBackText(), hotkeys::CodeText(hotkeys::kBringBackDefault));
    // Before Windows XP the option does not exist and is written as "0".
    put(kStepTaskbarHide, "TaskbarHide", BoolToStr(Options_.TaskbarHideAvailable && Options_.TaskbarHide));
}
