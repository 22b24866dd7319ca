// "Pelmoraについて": the program's icon, name and version, a link to the home
// page and one for writing an e-mail. Created for one opening, then released.
#pragma once
#include <windows.h>

#include "ui/Handles.h"
#include "ui/ModalDialog.h"

// The About dialog ("Pelmoraについて").
class TForm2 {
public:
    // Control identifiers; Button1 is the dialog's OK button.
    enum ControlId : int {
        kImage1 = 101,
        kLabel1,
        kJvLinkLabel1,
        kJvLinkLabel2,
        kButton1 = IDOK,
    };

    // Opens the dialog modally, centred over owner. Returns the modal result:
    // 1 (IDOK) from the OK button, 2 (IDCANCEL) from the close box.
    static INT_PTR ShowAbout(HWND owner);

    TForm2(const TForm2&) = delete;
    TForm2& operator=(const TForm2&) = delete;

private:
    explicit TForm2(HWND owner);

    friend INT_PTR CALLBACK ui::ObjectDialogProc<TForm2>(HWND, UINT, WPARAM, LPARAM) noexcept;
    void BindWindow(HWND hwnd) { hwnd_ = hwnd; }
    INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    INT_PTR OnInitDialog();
    INT_PTR OnCommand(WPARAM wp);
    INT_PTR OnClose();

    void CreateControls();
    void SetFonts();

    void JvLinkLabel1LinkClick();
    void JvLinkLabel2LinkClick();

    HWND owner_;
    HWND hwnd_ = nullptr;
    ui::OwnedFont font_;       // the system font, used by the dialog and its controls
    ui::OwnedFont labelFont_;  // Label1: the same face, bold, 10 points
    ui::OwnedIcon icon_;       // 0 when the executable has no program icon
};
