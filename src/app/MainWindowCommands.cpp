// Commands that belong to the main window itself.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "app/AboutDialog.h"
#include "app/Application.h"
#include "app/ExePath.h"
#include "app/MainWindow.h"
#include "app/MenuIds.h"
#include "prefs/Preferences.h"
#include "ui/ListView.h"

bool TPelmoraMainWindow::OnAppCommand(UINT id) {
    switch (id) {
        case ID_NExit:
            NExitClick();
            return true;
        case ID_NShowWin:
            NShowWinClick();
            return true;
        case ID_NViewHelp:
            NViewHelpClick();
            return true;
        case ID_N3:
            N3Click();
            return true;
        default:
            return false;
    }
}

bool TPelmoraMainWindow::OnAppNotify(NMHDR& hdr, LRESULT&) {
    if (hdr.hwndFrom != PageControl) return false;
    if (hdr.code == TCN_SELCHANGE) OnTabChange();
    return true;
}

void TPelmoraMainWindow::NExitClick() {
    // The loop ends first; the window is destroyed after it, which saves.
    TApplication::Terminate();
}

void TPelmoraMainWindow::NShowWinClick() {
    HMENU menu = Menus_.MainMenu.get();
    bool show = !IsChecked(menu, ID_NShowWin);
    SetChecked(menu, ID_NShowWin, show);
    if (Setting_) Setting_->SetValue("ShowWindow", BoolToStr(show));
}

void TPelmoraMainWindow::NViewHelpClick() {
    std::string help = ExtractFilePath(ExeFileName()) + "ReadMe.txt";
    ShellExecuteA(Handle_, "OPEN", help.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void TPelmoraMainWindow::N3Click() {
    TForm2::ShowAbout(Handle_);
}
