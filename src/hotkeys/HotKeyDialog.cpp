#include "hotkeys/HotKeyDialog.h"

#include <commctrl.h>

#include "Identity.h"
#include "ui/Dpi.h"
#include "ui/Drawing.h"
#include "ui/ModalDialog.h"
#include "ui/SystemInfo.h"

namespace {

constexpr char kCaption[] = "ホットキー - 設定";
constexpr int kClientWidth = 282;
constexpr int kClientHeight = 152;
constexpr INT_PTR kResultOk = 1;
constexpr INT_PTR kResultCancel = 2;

constexpr RECT Bounds(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

BOOL CALLBACK SetFontOf(HWND child, LPARAM font) {
    SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
    return TRUE;
}

hotkeys::HotKeyCode KeyOf(HWND hotKeyControl) {
    return static_cast<hotkeys::HotKeyCode>(SendMessageW(hotKeyControl, HKM_GETHOTKEY, 0, 0));
}

}  // namespace

THotKeyDialog::THotKeyDialog(HWND owner, hotkeys::HotKeyCode toTray, hotkeys::HotKeyCode bringBack,
                             const KeyTry& tryKeys)
    : owner_(owner), toTray_(toTray), bringBack_(bringBack), tryKeys_(tryKeys) {}

bool THotKeyDialog::Edit(HWND owner, hotkeys::HotKeyCode toTray, hotkeys::HotKeyCode bringBack,
                         const KeyTry& tryKeys) {
    THotKeyDialog dialog(owner, toTray, bringBack, tryKeys);
    return ui::ShowModalDialog(owner, kCaption, dialog) == kResultOk;
}

INT_PTR THotKeyDialog::HandleMessage(UINT msg, WPARAM wp, LPARAM) {
    switch (msg) {
        case WM_INITDIALOG:
            return OnInitDialog();
        case WM_COMMAND:
            return OnCommand(wp);
        case WM_CLOSE:
            EndDialog(hwnd_, kResultCancel);
            return TRUE;
        case WM_GETFONT:
            return ui::DialogResult(hwnd_, reinterpret_cast<LONG_PTR>(font_.get()));
        default:
            return FALSE;
    }
}

INT_PTR THotKeyDialog::OnInitDialog() {
    font_ = SetSystemFont(ui::WindowDpi(hwnd_));
    CreateControls();
    EnumChildWindows(hwnd_, SetFontOf, reinterpret_cast<LPARAM>(font_.get()));
    SendDlgItemMessageW(hwnd_, kHotToTray, HKM_SETHOTKEY, toTray_, 0);
    SendDlgItemMessageW(hwnd_, kHotBringBack, HKM_SETHOTKEY, bringBack_, 0);
    ui::PlaceDialog(hwnd_, owner_, kClientWidth, kClientHeight);
    SetFocus(GetDlgItem(hwnd_, kHotToTray));
    return FALSE;  // the focus is set
}

// Enter and Escape, which the dialog manager sends as IDOK and IDCANCEL, are
// the buttons' (the hotkey controls take every other key).
INT_PTR THotKeyDialog::OnCommand(WPARAM wp) {
    switch (LOWORD(wp)) {
        case kBtnOk:
        case IDOK:
            BtnOkClick();
            return TRUE;
        case kBtnCancel:
        case IDCANCEL:
            EndDialog(hwnd_, kResultCancel);
            return TRUE;
        default:
            return FALSE;
    }
}

// The creation order is the tab order.
void THotKeyDialog::CreateControls() {
    ui::AddDialogControl(hwnd_, L"STATIC", "アクティブなウィンドウをタスクトレイに入れる", SS_LEFT, kLblToTray,
                         Bounds(8, 12, 266, 14));
    ui::AddDialogControl(hwnd_, HOTKEY_CLASSW, "", WS_TABSTOP, kHotToTray, Bounds(16, 30, 258, 22),
                         WS_EX_CLIENTEDGE);
    ui::AddDialogControl(hwnd_, L"STATIC", "最後に入れたウィンドウを元に戻す", SS_LEFT, kLblBringBack,
                         Bounds(8, 64, 266, 14));
    ui::AddDialogControl(hwnd_, HOTKEY_CLASSW, "", WS_TABSTOP, kHotBringBack, Bounds(16, 82, 258, 22),
                         WS_EX_CLIENTEDGE);
    ui::AddDialogControl(hwnd_, L"BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, kBtnOk, Bounds(112, 120, 75, 25));
    ui::AddDialogControl(hwnd_, L"BUTTON", "キャンセル", WS_TABSTOP | BS_PUSHBUTTON, kBtnCancel,
                         Bounds(200, 120, 75, 25));
}

// The keys are registered before the dialog closes: a key another program
// holds is said here, where another can be chosen.
void THotKeyDialog::BtnOkClick() {
    const std::wstring refusal = tryKeys_(KeyOf(GetDlgItem(hwnd_, kHotToTray)), KeyOf(GetDlgItem(hwnd_, kHotBringBack)));
    if (refusal.empty()) {
        EndDialog(hwnd_, kResultOk);
        return;
    }
    MessageBoxW(hwnd_, refusal.c_str(), identity::kAppTitle, MB_OK | MB_ICONWARNING);
    SetFocus(GetDlgItem(hwnd_, kHotToTray));
}
