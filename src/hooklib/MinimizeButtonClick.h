// The gesture that sends a window to the tray: a right click on its minimise button.
// The press is reported once, and the press and its release are both swallowed so the
// window never sees the click.
#pragma once
#include <windows.h>

namespace hooklib {

// How long a window may take to answer the hit test. The mouse of the whole desktop
// waits meanwhile, so it is short; a window that does not answer in time is left alone.
inline constexpr UINT kHitTestTimeoutMs = 50;

class MinimizeButtonClick {
public:
    struct Verdict {
        bool swallow = false;
        HWND report = nullptr;  // the window whose minimise button was pressed
    };

    // One low-level mouse event (WM_RBUTTONDOWN, WM_MOUSEMOVE, ...) at screen `point`.
    Verdict OnMouse(WPARAM message, POINT point);

private:
    bool swallowRelease_ = false;
};

// The top-level window whose minimise button lies under `point`, or null.
HWND MinimizeButtonOwnerAt(POINT point);

}  // namespace hooklib
