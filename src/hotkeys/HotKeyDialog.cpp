#include "hotkeys/HotKeyDialog.h"

#include <commctrl.h>

#include "Identity.h"
#include "ui/ModalDialog.h"

namespace {

constexpr char kCaption[] = "ホットキー - 設定";
constexpr int kClientWidth = 282;
constexpr int kClientHeight = 152;
constexpr INT_PTR kResultOk = 1;
constexpr INT_PTR kResultCancel = 2;

hotkeys::HotKeyCode KeyOf(HWND hotKeyControl) {
    return static_cast<hotkeys::HotKeyCode>(SendMessageW(hotKeyControl, HKM_GETHOTKEY, 0, 0));
}

}  // namespace

THotKeyDialog::THotKeyDialog(HWND owner, hotkeys::HotKeyCode toTray, hotkeys::HotKeyCode bringBack,
                             const KeyTry& tryKeys)
    : ModalDialog(owner, {kCaption, kClientWidth, kClientHeight, kHotToTray}),
      toTray_(toTray),
      bringBack_(bringBack),
      tryKeys_(tryKeys) {}

bool THotKeyDialog::Edit(HWND owner, hotkeys::HotKeyCode toTray, hotkeys::HotKeyCode bringBack,
                         const KeyTry& tryKeys) {
    THotKeyDialog dialog(owner, toTray, bringBack, tryKeys);
    return dialog.ShowModal() == kResultOk;
}

void THotKeyDialog::Fill() {
    SendDlgItemMessageW(Handle(), kHotToTray, HKM_SETHOTKEY, toTray_, 0);
    SendDlgItemMessageW(Handle(), kHotBringBack, HKM_SETHOTKEY, bringBack_, 0);
}

// Enter and Escape, which the dialog manager sends as IDOK and IDCANCEL, are
// the buttons' (the hotkey controls take every other key).
bool THotKeyDialog::OnCommand(int id) {
    switch (id) {
        case kBtnOk:
        case IDOK:
            BtnOkClick();
            return true;
        case kBtnCancel:
        case IDCANCEL:
            Close(kResultCancel);
            return true;
        default:
            return false;
    }
}

// The creation order is the tab order.
void THotKeyDialog::CreateControls() {
    AddControl(L"STATIC", "アクティブなウィンドウをタスクトレイに入れる", SS_LEFT, kLblToTray,
               Bounds(8, 12, 266, 14));
    AddControl(HOTKEY_CLASSW, "", WS_TABSTOP, kHotToTray, Bounds(16, 30, 258, 22), WS_EX_CLIENTEDGE);
    AddControl(L"STATIC", "最後に入れたウィンドウを元に戻す", SS_LEFT, kLblBringBack, Bounds(8, 64, 266, 14));
    AddControl(HOTKEY_CLASSW, "", WS_TABSTOP, kHotBringBack, Bounds(16, 82, 258, 22), WS_EX_CLIENTEDGE);
    AddControl(L"BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, kBtnOk, Bounds(112, 120, 75, 25));
    AddControl(L"BUTTON", "キャンセル", WS_TABSTOP | BS_PUSHBUTTON, kBtnCancel, Bounds(200, 120, 75, 25));
}

// The keys are registered before the dialog closes: a key another program
// holds is said here, where another can be chosen.
void THotKeyDialog::BtnOkClick() {
    HWND dialog = Handle();
    const std::wstring refusal =
        tryKeys_(KeyOf(GetDlgItem(dialog, kHotToTray)), KeyOf(GetDlgItem(dialog, kHotBringBack)));
    if (refusal.empty()) {
        Close(kResultOk);
        return;
    }
    MessageBoxW(dialog, refusal.c_str(), identity::kAppTitle, MB_OK | MB_ICONWARNING);
    SetFocus(GetDlgItem(dialog, kHotToTray));
}
