#include "app/AboutDialog.h"

#include <shellapi.h>

#include <string>
#include <utility>

#include "Identity.h"
#include "ui/Dpi.h"
#include "ui/Handles.h"
#include "ui/ImageLists.h"
#include "ui/LinkLabel.h"
#include "ui/ModalDialog.h"

namespace {

constexpr char kCaption[] = "Pelmoraについて";
constexpr char kVersion[] = "Pelmora ver " PELMORA_VERSION_TEXT;
constexpr wchar_t kHomePage[] = L"https://pelmora.example.org/";
constexpr wchar_t kMailAddress[] = L"pelmora@example.org";
constexpr int kClientWidth = 265;
constexpr int kClientHeight = 149;
constexpr int kLabelPoints = 10;

void OpenWithShell(HWND parent, const std::wstring& target) {
    ShellExecuteW(parent, L"OPEN", target.c_str(), L"", L"", SW_SHOWNORMAL);
}

}  // namespace

TForm2::TForm2(HWND owner) : ModalDialog(owner, {kCaption, kClientWidth, kClientHeight, kButton1}) {}

INT_PTR TForm2::ShowAbout(HWND owner) {
    TForm2 form(owner);
    return form.ShowModal();
}

// There is no cancel button, so Escape (IDCANCEL from the dialog manager)
// does nothing; only OK and the close box end the dialog.
bool TForm2::OnCommand(int id) {
    if (id != IDOK) return false;
    Close(IDOK);
    return true;
}

// Button1 is created first, so it comes first in the tab order.
void TForm2::CreateControls() {
    AddControl(L"BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, kButton1, Bounds(96, 112, 75, 25));
    SendMessageW(Handle(), DM_SETDEFID, kButton1, 0);
    AddControl(L"STATIC", "", SS_ICON | SS_REALSIZECONTROL, kImage1, Bounds(54, 14, 16, 16));
    AddControl(L"STATIC", kVersion, SS_LEFT, kLabel1, Bounds(80, 16, 113, 25));
    const RECT link1 = Bounds(40, 64, 225, 12), link2 = Bounds(18, 88, 247, 12);
    Keep(ui::CreateLinkLabel(Handle(), kJvLinkLabel1, link1, {L"HP:   ", kHomePage},
                             [this] { JvLinkLabel1LinkClick(); }),
         link1);
    Keep(ui::CreateLinkLabel(Handle(), kJvLinkLabel2, link2, {L"E-mail:   ", kMailAddress},
                             [this] { JvLinkLabel2LinkClick(); }),
         link2);
}

// Every control shows the system font; Label1 its bold 10-point form, whatever
// size the desktop's icon-title font has. Image1 shows the program's small
// icon at the dialog's DPI. The fonts and the icon replaced live until the
// controls have the new ones.
void TForm2::StyleControls() {
    for (int id : {kButton1, kJvLinkLabel1, kJvLinkLabel2})
        SendDlgItemMessageW(Handle(), id, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);

    LOGFONTW lf{};
    GetObjectW(Font(), sizeof lf, &lf);
    lf.lfWeight = FW_BOLD;
    lf.lfHeight = -MulDiv(kLabelPoints, static_cast<int>(Dpi()), 72);
    lf.lfWidth = 0;
    const ui::OwnedFont previousFont = std::exchange(labelFont_, ui::OwnedFont(CreateFontIndirectW(&lf)));
    SendDlgItemMessageW(Handle(), kLabel1, WM_SETFONT, reinterpret_cast<WPARAM>(labelFont_.get()), FALSE);

    const ui::OwnedIcon previousIcon =
        std::exchange(icon_, ui::LoadSmallIcon(GetModuleHandleW(nullptr), PELMORA_ICON_ID, Dpi()));
    if (icon_) SendDlgItemMessageW(Handle(), kImage1, STM_SETICON, reinterpret_cast<WPARAM>(icon_.get()), 0);
}

void TForm2::JvLinkLabel1LinkClick() {
    OpenWithShell(Handle(), kHomePage);
}

void TForm2::JvLinkLabel2LinkClick() {
    OpenWithShell(Handle(), std::wstring(L"mailto:") + kMailAddress);
}
