// The hook library on the main window's side: loading and starting it, and
// turning its notifications into work for the tray registry and the lists.
#include "hook/HookEvents.h"

#include "Identity.h"
#include "tray/Tray.h"
#include "ui/ExePath.h"
#include "ui/Text.h"
#include "windows/WindowEligibility.h"
#include "windows/WindowHelpers.h"
#include "winlist/CurrWinList.h"

namespace {

void ShowStartFailure(const char* messageUtf8) {
    MessageBoxW(nullptr, ui::Utf8(messageUtf8).c_str(), identity::kAppTitle, MB_OK);
}

}  // namespace

THookEvents::THookEvents(TTray& tray, TCurrWinList& currWin) : Tray(tray), CurrWin(currWin) {}

bool THookEvents::StartHookLibrary(HWND target) {
    HookMessage = RegisterWindowMessageA(hook::kHookMessageName);
    if (!HookLib.Load(ExtractFilePath(ExeFileName()))) {
        ShowStartFailure("必要なDLLが存在しませんのでPelmoraを起動できません");
        return false;
    }
    if (HookLib.Start(target) == hook::THookLibrary::StartResult::Failed) {
        ShowStartFailure("起動に失敗しました\r\nPelmoraを終了します");
        return false;
    }
    return true;
}

bool THookEvents::OnHookMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (HookMessage == 0 || msg != HookMessage) return false;
    // Notifications that arrive before start-up made the registry and the lists are dropped.
    if (!Tray.IsStarted()) return true;
    HWND wnd = reinterpret_cast<HWND>(lParam);
    switch (wParam) {
        case hook::HookTrayWindow:
            Tray.SendToTray(wnd);
            break;
        case hook::HookHideWindow:
            Tray.HideWnd(wnd);
            break;
        case hook::HookWindowGone:
            HookWindowGoneReceived(wnd);
            break;
        case hook::HookWindowCreated:
            HookWindowCreatedReceived(wnd);
            break;
        case hook::HookWindowActivated:
            Tray.OnWindowActivated(wnd);
            break;
        default:
            break;  // other codes are not ours
    }
    return true;
}

void THookEvents::HookWindowGoneReceived(HWND wnd) {
    Tray.ForgetWindow(wnd);
    CurrWin.RemoveCurrWinItem(wnd);
}

void THookEvents::HookWindowCreatedReceived(HWND wnd) {
    TWinInfo info(GetRootOwner(wnd), 0);
    HWND root = info.Wnd();
    if (!IsWindowEnabled(root) || !IsWindow(root) || !CountsAsUserWindow(FactsOf(info))) return;
    if (ui::LowerAnsi(info.GetWindowClassName()) == "tooltips_class32" || CurrWin.Contains(root)) return;
    CurrWin.AddCurrWinItem(info);
}
