#include "app/AboutDialog.h"

#include <shellapi.h>

#include <cstring>
#include <string>
#include <vector>

#include "Identity.h"
#include "ui/SystemInfo.h"
#include "ui/WindowClass.h"
#include "ui/LinkLabel.h"
#include "ui/Text.h"

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

// An empty dialog: the controls are created in WM_INITDIALOG at pixel
// positions, and the size is set there, so the template's units do not matter.
std::vector<WORD> DialogTemplate() {
    DLGTEMPLATE header{};
    header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    header.cx = 100;
    header.cy = 50;
    std::vector<WORD> words(sizeof header / sizeof(WORD));
    std::memcpy(words.data(), &header, sizeof header);
    words.push_back(0);  // no menu
    words.push_back(0);  // the standard dialog class
    for (wchar_t ch : ui::Utf8(kCaption)) words.push_back(static_cast<WORD>(ch));
    words.push_back(0);
    return words;
}

int ScreenPixelsPerInchY() {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

RECT WorkAreaNear(const RECT& area) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcWork;
}

int Clamp(int value, int low, int high) {
    return value < low ? low : (value > high ? high : value);
}

void OpenWithShell(HWND parent, const std::wstring& target) {
    ShellExecuteW(parent, L"OPEN", target.c_str(), L"", L"", SW_SHOWNORMAL);
}

}  // namespace

TForm2::TForm2(HWND owner) : owner_(owner) {}

INT_PTR TForm2::ShowAbout(HWND owner) {
    TForm2 form(owner);
    form.font_ = SetSystemFont();
    std::vector<WORD> tmpl = DialogTemplate();
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(tmpl.data()),
                                   owner, DialogProc, reinterpret_cast<LPARAM>(&form));
}

INT_PTR CALLBACK TForm2::DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, lp);
        reinterpret_cast<TForm2*>(lp)->hwnd_ = hwnd;
    }
    auto* form = reinterpret_cast<TForm2*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!form) return FALSE;
    return ui::Guarded(hwnd, FALSE, [&] { return form->HandleMessage(msg, wp, lp); });
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
            return OnGetFont();
        default:
            return FALSE;
    }
}

INT_PTR TForm2::OnInitDialog() {
    CreateControls();
    SetFonts();
    PlaceWindow();
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

// Dialog procedures return message results through DWLP_MSGRESULT.
INT_PTR TForm2::OnGetFont() {
    SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, reinterpret_cast<LONG_PTR>(font_.get()));
    return TRUE;
}

// Button1 is created first, so it comes first in the tab order.
void TForm2::CreateControls() {
    AddControl(L"BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, kButton1, Bounds(96, 112, 75, 25));
    SendMessageW(hwnd_, DM_SETDEFID, kButton1, 0);

    HWND image = AddControl(L"STATIC", "", SS_ICON | SS_REALSIZECONTROL, kImage1, Bounds(54, 14, 16, 16));
    icon_.reset(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(PELMORA_ICON_ID), IMAGE_ICON, 16, 16, 0)));
    if (icon_) SendMessageW(image, STM_SETICON, reinterpret_cast<WPARAM>(icon_.get()), 0);

    AddControl(L"STATIC", kVersion, SS_LEFT, kLabel1, Bounds(80, 16, 113, 25));
    ui::CreateLinkLabel(hwnd_, kJvLinkLabel1, Bounds(40, 64, 225, 12), {L"HP:   ", kHomePage},
                        [this] { JvLinkLabel1LinkClick(); });
    ui::CreateLinkLabel(hwnd_, kJvLinkLabel2, Bounds(18, 88, 247, 12), {L"E-mail:   ", kMailAddress},
                        [this] { JvLinkLabel2LinkClick(); });
}

HWND TForm2::AddControl(const wchar_t* cls, const char* text, DWORD style, int id, RECT bounds) {
    return CreateWindowExW(0, cls, ui::Utf8(text).c_str(), WS_CHILD | WS_VISIBLE | style, bounds.left,
                           bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, hwnd_,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                           nullptr);
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

// Client area of the designed size, centred over the owner, kept on its screen.
void TForm2::PlaceWindow() {
    RECT frame = Bounds(0, 0, kClientWidth, kClientHeight);
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_EXSTYLE)));
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;

    RECT over{};
    if (!owner_ || !IsWindowVisible(owner_) || IsIconic(owner_) || !GetWindowRect(owner_, &over))
        SetRect(&over, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    const RECT work = WorkAreaNear(over);
    const int x = Clamp((over.left + over.right - width) / 2, work.left, work.right - width);
    const int y = Clamp((over.top + over.bottom - height) / 2, work.top, work.bottom - height);
    SetWindowPos(hwnd_, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm2::JvLinkLabel1LinkClick() {
    OpenWithShell(hwnd_, kHomePage);
}

void TForm2::JvLinkLabel2LinkClick() {
    OpenWithShell(hwnd_, std::wstring(L"mailto:") + kMailAddress);
}
