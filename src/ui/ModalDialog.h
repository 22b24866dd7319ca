// What the program's modal dialogs share: an empty in-memory template (the
// controls are made at pixel positions when the dialog starts), one dialog
// procedure that hands each message to the dialog's C++ object behind the
// shared exception boundary, and the placement centred over the owner.
#pragma once
#include <windows.h>

#include <vector>

#include "ui/WindowClass.h"

namespace ui {

// A fixed dialog frame (caption, close box, no resizing, no minimise or
// maximise box) with the UTF-8 caption and no controls, for
// DialogBoxIndirectParamW.
std::vector<WORD> EmptyDialogTemplate(const char* utf8Caption);

// The dialog procedure of a dialog whose object is a T, passed as the
// creation parameter: T::BindWindow(HWND) is told the dialog on
// WM_INITDIALOG, and INT_PTR T::HandleMessage(UINT, WPARAM, LPARAM) answers
// from that message on. Messages before it go to the dialog manager alone.
template <typename T>
INT_PTR CALLBACK ObjectDialogProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lp);
        reinterpret_cast<T*>(lp)->BindWindow(dialog);
    }
    auto* object = reinterpret_cast<T*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (!object) return FALSE;
    return Guarded(dialog, FALSE, [&] { return object->HandleMessage(msg, wp, lp); });
}

// Shows an empty dialog with the caption modally over owner, run by `object`
// through ObjectDialogProc<T>. Returns the value given to EndDialog (-1 when
// the dialog could not be created).
template <typename T>
INT_PTR ShowModalDialog(HWND owner, const char* utf8Caption, T& object) {
    const std::vector<WORD> tmpl = EmptyDialogTemplate(utf8Caption);
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(tmpl.data()),
                                   owner, ObjectDialogProc<T>, reinterpret_cast<LPARAM>(&object));
}

// A dialog procedure returns a message's own result (WM_GETFONT's font, for
// one) through DWLP_MSGRESULT, and TRUE for "handled".
inline INT_PTR DialogResult(HWND dialog, LONG_PTR result) {
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, result);
    return TRUE;
}

// A visible control of the dialog, or of a group inside it, with its UTF-8
// text, at bounds designed at 96 DPI and scaled to the dialog's. Returns 0 on
// failure.
HWND AddDialogControl(HWND parent, const wchar_t* className, const char* utf8Text, DWORD style, int id,
                      const RECT& bounds, DWORD exStyle = 0);

// Gives the dialog a client area of the size (designed at 96 DPI, scaled to
// the dialog's), centred over the owner (over
// the screen when the owner is missing, hidden or minimised) and kept within
// the work area of the owner's screen.
void PlaceDialog(HWND dialog, HWND owner, int clientWidth, int clientHeight);

}  // namespace ui
