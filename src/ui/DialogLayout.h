// Where a dialog's controls stand, as designed at 96 DPI, so that the dialog
// can lay them out again at another DPI: every move to a monitor of another
// scale starts from the design, never from the last pixels, so going back
// to a DPI gives back its layout exactly.
#pragma once
#include <windows.h>

#include <vector>

namespace ui {

class DialogLayout {
public:
    // Keeps the control (a child of the dialog, or of a group in it) with its
    // bounds in its parent's client area as designed. Returns the control.
    HWND Keep(HWND control, const RECT& designed);
    // Tells every control kept the DPI (ControlDpiMessage), then moves and
    // sizes it there.
    void Apply(UINT dpi) const;

private:
    struct Placed {
        HWND control;
        RECT designed;
    };
    std::vector<Placed> controls_;
};

}  // namespace ui
