// Commands that belong to the main window itself, and showing and hiding it.
#include <windows.h>
#include <shellapi.h>

#include "MenuDescription.h"
#include "app/AboutDialog.h"
#include "app/Application.h"
#include "app/MainWindow.h"
#include "prefs/Preferences.h"
#include "ui/ExePath.h"
#include "windows/WindowHelpers.h"

const ui::Command<TPelmoraMainWindow> TPelmoraMainWindow::kCommands[] = {
    {ID_NExit, &TPelmoraMainWindow::NExitClick},
    {ID_NShowWin, &TPelmoraMainWindow::NShowWinClick},
    {ID_NViewHelp, &TPelmoraMainWindow::NViewHelpClick},
    {ID_N3, &TPelmoraMainWindow::N3Click},
};

bool TPelmoraMainWindow::OnAppCommand(UINT id) {
    return ui::RunCommand(*this, kCommands, id);
}

void TPelmoraMainWindow::NExitClick() {
    // The loop ends first; the window is destroyed after it, which saves.
    TApplication::Terminate();
}

void TPelmoraMainWindow::NShowWinClick() {
    Options_.ShowWindow = !Options_.ShowWindow;
    if (Setting_) Setting_->SetValue("ShowWindow", BoolToStr(Options_.ShowWindow));
    SaveSoon();
}

void TPelmoraMainWindow::NViewHelpClick() {
    const std::wstring help = ExtractFilePath(ExeFileName()) + L"ReadMe.txt";
    ShellExecuteW(Handle_, L"OPEN", help.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void TPelmoraMainWindow::N3Click() {
    TForm2::ShowAbout(Handle_);
}

bool TPelmoraMainWindow::IsMainWindowOnScreen() const {
    return IsWindowVisible(Handle_) && !IsIconic(Handle_);
}

// Minimised and without its taskbar button: only the own icon remains.
void TPelmoraMainWindow::HideApplication() {
    if (IsMainWindowOnScreen()) ShowWindow(Handle_, SW_MINIMIZE);
    ShowWindow(Handle_, SW_HIDE);
}

void TPelmoraMainWindow::ShowApplication() {
    if (ShowMaximized_) {
        ShowMaximized_ = false;
        ShowWindow(Handle_, SW_SHOWMAXIMIZED);
    } else if (IsIconic(Handle_)) {
        ShowWindow(Handle_, SW_RESTORE);
    } else {
        ShowWindow(Handle_, SW_SHOW);
    }
}

void TPelmoraMainWindow::ShowMainWindow(bool forced) {
    ShowApplication();
    BringWindowToTop(Handle_);
    if (forced)
        ForceForegroundWindow(Handle_);
    else
        SetForegroundWindow(Handle_);
}

void TPelmoraMainWindow::ApplicationEventsMessage(const MSG& msg) {
    // A second start asks the running instance to come forward.
    if (msg.message == WM_SHOWINSTANCE) ShowMainWindow(true);
}
