// "Pelmoraについて": the program's icon, name and version, a link to the home
// page and one for writing an e-mail. Created for one opening, then released.
#pragma once
#include <windows.h>

#include "ui/Handles.h"
#include "ui/ModalDialog.h"

// The About dialog ("Pelmoraについて").
class TForm2 : private ui::ModalDialog {
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

private:
    explicit TForm2(HWND owner);

    void CreateControls() override;
    void StyleControls() override;
    bool OnCommand(int id) override;

    void JvLinkLabel1LinkClick();
    void JvLinkLabel2LinkClick();

    ui::OwnedFont labelFont_;  // Label1: the dialog's face, bold, 10 points
    ui::OwnedIcon icon_;       // 0 when the executable has no program icon
};
