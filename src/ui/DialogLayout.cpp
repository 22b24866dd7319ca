#include "ui/DialogLayout.h"

#include "ui/Dpi.h"

namespace ui {

HWND DialogLayout::Keep(HWND control, const RECT& designed) {
    if (control) controls_.push_back({control, designed});
    return control;
}

void DialogLayout::Apply(UINT dpi) const {
    for (const Placed& placed : controls_) {
        SendMessageW(placed.control, ControlDpiMessage(), dpi, 0);
        const RECT r = Scale(placed.designed, dpi);
        SetWindowPos(placed.control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

}  // namespace ui
