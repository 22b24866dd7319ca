#include "ui/ModalDialog.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "ui/Dpi.h"
#include "ui/SystemInfo.h"
#include "ui/Text.h"
#include "ui/WindowClass.h"

namespace ui {
namespace {

// A fixed dialog frame (caption, close box, no resizing, no minimise or
// maximise box) with the UTF-8 caption and no controls, for
// DialogBoxIndirectParamW.
std::vector<WORD> EmptyDialogTemplate(const char* utf8Caption) {
    DLGTEMPLATE header{};
    header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    header.cx = 100;  // the real size is set in pixels by PlaceDialog
    header.cy = 50;
    std::vector<WORD> words(sizeof header / sizeof(WORD));
    std::memcpy(words.data(), &header, sizeof header);
    words.push_back(0);  // no menu
    words.push_back(0);  // the standard dialog class
    for (wchar_t ch : Utf8(utf8Caption)) words.push_back(static_cast<WORD>(ch));
    words.push_back(0);
    return words;
}

RECT WorkAreaNear(const RECT& area) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcWork;
}

int Clamp(int value, int low, int high) {
    return std::max(low, std::min(value, high));
}

// Gives the dialog a client area of the size (designed at 96 DPI, scaled to
// dpi), centred over the owner (over the screen when the owner is missing,
// hidden or minimised) and kept within the work area of the owner's screen.
void PlaceDialog(HWND dialog, HWND owner, UINT dpi, int clientWidth, int clientHeight) {
    RECT frame{0, 0, Scale(clientWidth, dpi), Scale(clientHeight, dpi)};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(dialog, GWL_EXSTYLE)));
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;

    RECT over{};
    if (!owner || !IsWindowVisible(owner) || IsIconic(owner) || !GetWindowRect(owner, &over))
        SetRect(&over, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    const RECT work = WorkAreaNear(over);
    const int x = Clamp((over.left + over.right - width) / 2, work.left, work.right - width);
    const int y = Clamp((over.top + over.bottom - height) / 2, work.top, work.bottom - height);
    SetWindowPos(dialog, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CALLBACK SetFontOf(HWND child, LPARAM font) {
    SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
    return TRUE;
}

}  // namespace

INT_PTR ModalDialog::ShowModal() {
    const std::vector<WORD> tmpl = EmptyDialogTemplate(design_.caption);
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(tmpl.data()),
                                   owner_, DialogProc, reinterpret_cast<LPARAM>(this));
}

// The object comes as the creation parameter; messages before WM_INITDIALOG
// go to the dialog manager alone.
INT_PTR CALLBACK ModalDialog::DialogProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lp);
        reinterpret_cast<ModalDialog*>(lp)->hwnd_ = dialog;
    }
    auto* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (!self) return FALSE;
    return Guarded(dialog, FALSE, [&] { return self->HandleMessage(msg, wp, lp); });
}

// A message's own result (WM_GETFONT's font) goes back through
// DWLP_MSGRESULT; TRUE says "handled".
INT_PTR ModalDialog::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_INITDIALOG:
            OnInitDialog();
            return FALSE;  // the focus is set
        case WM_COMMAND:
            return OnCommand(LOWORD(wp)) ? TRUE : FALSE;
        case WM_CLOSE:  // the close box
            Close(IDCANCEL);
            return TRUE;
        case WM_GETFONT:
            SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, reinterpret_cast<LONG_PTR>(font_.get()));
            return TRUE;
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
            return TRUE;
        default:
            return FALSE;
    }
}

void ModalDialog::OnInitDialog() {
    TakeOverDialogDpiChanges(hwnd_);
    dpi_ = WindowDpi(hwnd_);
    font_ = SetSystemFont(dpi_);
    CreateControls();
    StyleControls();
    Fill();
    PlaceDialog(hwnd_, owner_, dpi_, design_.clientWidth, design_.clientHeight);
    SetFocus(GetDlgItem(hwnd_, design_.firstFocus));
}

// The old font lives until every control has the new one.
void ModalDialog::OnDpiChanged(UINT dpi, const RECT& proposed) {
    dpi_ = dpi;
    SetWindowPos(hwnd_, nullptr, proposed.left, proposed.top, proposed.right - proposed.left,
                 proposed.bottom - proposed.top, SWP_NOZORDER | SWP_NOACTIVATE);
    const OwnedFont previous = std::exchange(font_, SetSystemFont(dpi));
    layout_.Apply(dpi);
    StyleControls();
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void ModalDialog::StyleControls() {
    EnumChildWindows(hwnd_, SetFontOf, reinterpret_cast<LPARAM>(font_.get()));
}

HWND ModalDialog::AddControl(HWND parent, const wchar_t* className, const char* utf8Text, DWORD style, int id,
                             const RECT& bounds, DWORD exStyle) {
    return Keep(CreateChildWindow(parent, className, Utf8(utf8Text).c_str(), WS_VISIBLE | style, id,
                                  Scale(bounds, dpi_), exStyle),
                bounds);
}

}  // namespace ui
