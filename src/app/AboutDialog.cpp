#include "app/AboutDialog.h"

#include <shellapi.h>

#include <string>

#include "Identity.h"
#include "ui/Dpi.h"
#include "ui/Handles.h"
#include "ui/LinkLabel.h"
#include "ui/ModalDialog.h"
#include "ui/SystemInfo.h"

namespace {

constexpr char kCaption[] = "Pelmoraについて";
constexpr char kVersion[] = "Pelmora ver " PELMORA_VERSION_TEXT;
constexpr wchar_t kHomePage[] = L"https://pelmora.example.org/";
constexpr wchar_t kMailAddress[] = L"pelmora@example.org";
constexpr int kClientWidth = 265;
constexpr int kClientHeight = 149;
constexpr int kLabelPoints = 10;

constexpr RECT Bounds(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

int ScreenPixelsPerInchY() {
    const ui::WindowDC screen(nullptr);
    return GetDeviceCaps(screen.get(), LOGPIXELSY);
}

void OpenWithShell(HWND parent, const std::wstring& target) {
    ShellExecuteW(parent, L"OPEN", target.c_str(), L"", L"", SW_SHOWNORMAL);
}

}  // namespace

TForm2::TForm2(HWND owner) : owner_(owner) {}

INT_PTR TForm2::ShowAbout(HWND owner) {
    TForm2 form(owner);
    return ui::ShowModalDialog(owner, kCaption, form);
}

INT_PTR TForm2::HandleMessage(UINT msg, WPARAM wp, LPARAM) {
    switch (msg) {
        case WM_INITDIALOG:
            return OnInitDialog();
        case WM_COMMAND:
            return OnCommand(wp);
        case WM_CLOSE:
            return OnClose();
        case WM_GETFONT:
            return ui::DialogResult(hwnd_, reinterpret_cast<LONG_PTR>(font_.get()));
        default:
            return FALSE;
    }
}

INT_PTR TForm2::OnInitDialog() {
    font_ = SetSystemFont(ui::WindowDpi(hwnd_));
    CreateControls();
    SetFonts();
    ui::PlaceDialog(hwnd_, owner_, kClientWidth, kClientHeight);
    SetFocus(GetDlgItem(hwnd_, kButton1));
    return FALSE;  // the focus is set
}

// There is no cancel button, so Escape (IDCANCEL from the dialog manager)
// does nothing; only OK and the close box end the dialog.
INT_PTR TForm2::OnCommand(WPARAM wp) {
    if (LOWORD(wp) != IDOK) return FALSE;
    EndDialog(hwnd_, IDOK);
    return TRUE;
}

INT_PTR TForm2::OnClose() {
    EndDialog(hwnd_, IDCANCEL);
    return TRUE;
}

// Button1 is created first, so it comes first in the tab order.
void TForm2::CreateControls() {
    ui::AddDialogControl(hwnd_, L"BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, kButton1,
                         Bounds(96, 112, 75, 25));
    SendMessageW(hwnd_, DM_SETDEFID, kButton1, 0);

    HWND image = ui::AddDialogControl(hwnd_, L"STATIC", "", SS_ICON | SS_REALSIZECONTROL, kImage1,
                                      Bounds(54, 14, 16, 16));
    icon_.reset(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(PELMORA_ICON_ID), IMAGE_ICON, 16, 16, 0)));
    if (icon_) SendMessageW(image, STM_SETICON, reinterpret_cast<WPARAM>(icon_.get()), 0);

    ui::AddDialogControl(hwnd_, L"STATIC", kVersion, SS_LEFT, kLabel1, Bounds(80, 16, 113, 25));
    ui::CreateLinkLabel(hwnd_, kJvLinkLabel1, Bounds(40, 64, 225, 12), {L"HP:   ", kHomePage},
                        [this] { JvLinkLabel1LinkClick(); });
    ui::CreateLinkLabel(hwnd_, kJvLinkLabel2, Bounds(18, 88, 247, 12), {L"E-mail:   ", kMailAddress},
                        [this] { JvLinkLabel2LinkClick(); });
}

// Every control shows the system font; Label1 its bold 10-point form, whatever
// size the desktop's icon-title font has.
void TForm2::SetFonts() {
    for (int id : {kButton1, kJvLinkLabel1, kJvLinkLabel2})
        SendMessageW(GetDlgItem(hwnd_, id), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);

    LOGFONTW lf{};
    GetObjectW(font_.get(), sizeof lf, &lf);
    lf.lfWeight = FW_BOLD;
    lf.lfHeight = -MulDiv(kLabelPoints, ScreenPixelsPerInchY(), 72);
    lf.lfWidth = 0;
    labelFont_.reset(CreateFontIndirectW(&lf));
    SendMessageW(GetDlgItem(hwnd_, kLabel1), WM_SETFONT, reinterpret_cast<WPARAM>(labelFont_.get()), FALSE);
}

void TForm2::JvLinkLabel1LinkClick() {
    OpenWithShell(hwnd_, kHomePage);
}

void TForm2::JvLinkLabel2LinkClick() {
    OpenWithShell(hwnd_, std::wstring(L"mailto:") + kMailAddress);
}
