// The hook library on the main window's side: loading and starting it, and
// turning its notifications into work for the tray registry and the lists.
#include "app/Application.h"
#include "app/ExePath.h"
#include "app/MainWindow.h"
#include "ui/Text.h"
#include "windows/WindowHelpers.h"

namespace {

void ShowStartFailure(const char* messageUtf8) {
    MessageBoxW(nullptr, ui::Utf8(messageUtf8).c_str(), identity::kAppTitle, MB_OK);
}

}  // namespace

bool TPelmoraMainWindow::StartHookLibrary() {
    HookMessage = RegisterWindowMessageA(hook::kHookMessageName);
    if (!HookLib.Load(ExtractFilePath(ExeFileName()))) {
        ShowStartFailure("必要なDLLが存在しませんのでPelmoraを起動できません");
        return false;
    }
    if (HookLib.Start(Handle_) == hook::THookLibrary::StartResult::Failed) {
        ShowStartFailure("起動に失敗しました\r\nPelmoraを終了します");
        return false;
    }
    return true;
}

bool TPelmoraMainWindow::OnHookMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT&) {
    if (HookMessage == 0 || msg != HookMessage) return false;
    // Notifications that arrive before start-up made the registry and the lists are dropped.
    if (!TrayControl) return true;
    HWND wnd = reinterpret_cast<HWND>(lParam);
    switch (wParam) {
        case hook::HookTrayWindow:
            HookTrayWindowReceived(wnd);
            break;
        case hook::HookHideWindow:
            TrayControl->HideWnd(wnd, IconHideChecked(), TaskBarHideChecked());
            break;
        case hook::HookWindowGone:
            HookWindowGoneReceived(wnd);
            break;
        case hook::HookWindowCreated:
            HookWindowCreatedReceived(wnd);
            break;
        case hook::HookWindowActivated:
            HookWindowActivatedReceived(wnd);
            break;
        default:
            break;  // other codes are not ours
    }
    return true;
}

void TPelmoraMainWindow::HookTrayWindowReceived(HWND wnd) {
    HWND root = GetRootOwner(wnd);
    AddToTray(root, false);
    TrayControl->HideWnd(root, IconHideChecked(), TaskBarHideChecked());
}

void TPelmoraMainWindow::HookWindowGoneReceived(HWND wnd) {
    TrayControl->RestoreWnd(wnd, false, false, SW_SHOWNA, true);
    TrayControl->DeleteWnd(wnd, false);
    RemoveCurrWinItem(wnd);
}

void TPelmoraMainWindow::HookWindowCreatedReceived(HWND wnd) {
    TWinInfo info(GetRootOwner(wnd), 0);
    HWND root = info.Wnd();
    if (!IsWindowEnabled(root) || !IsWindow(root) || info.GetTitle().empty() || !info.GetVisible()) return;
    if (ui::LowerAnsi(info.GetWindowClassName()) == "tooltips_class32" || IndexOfCurrWin(root) >= 0) return;
    AddCurrWinItem(info);
    int rule = IndexOfRule(info.GetFileName());
    if (rule >= 0) ApplyRule(root, RegWinItems[rule]);
}

void TPelmoraMainWindow::HookWindowActivatedReceived(HWND wnd) {
    HWND root = GetRootOwner(wnd);
    if (root != TaskbarWnd && root != DesktopWnd) LastActiveWnd = root;
}
