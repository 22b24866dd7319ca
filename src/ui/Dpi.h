// Dots per inch. The program is per-monitor DPI aware: the system does not
// stretch its windows, so it lays them out itself. Sizes are designed at 96
// DPI and scaled to the DPI of the window they go into; the settings file
// keeps sizes in those designed units, as it always has.
#pragma once
#include <windows.h>

namespace ui {

inline constexpr UINT kDesignDpi = 96;

// The DPI of the primary monitor at sign-in (what the system scales others by).
UINT SystemDpi();
// The DPI the window is shown at: its monitor's (Windows 10 1607 and later),
// otherwise the system's.
UINT WindowDpi(HWND wnd);

// A system metric (SM_CXSMICON, SM_CXMENUCHECK...) at the DPI: the system's
// own figure for it where it has one (Windows 10 1607 and later), otherwise
// the figure for the system DPI scaled.
int SystemMetric(int index, UINT dpi);

// Leaves every change of DPI to the dialog itself: from Windows 10 1703 on, the
// dialog manager would otherwise propose sizes from the dialog's template and
// move and re-font its controls on its own. Does nothing on systems without it.
void TakeOverDialogDpiChanges(HWND dialog);

// Tells a control of the program's own classes the DPI it is laid out at from
// now on (wParam), for the parts it sizes itself. Registered, so any other
// window takes it for an unknown message and ignores it.
UINT ControlDpiMessage();

// A designed length at the DPI, and back; both round to the nearest pixel, so
// that a length scaled up and back down is the one designed.
int Scale(int designed, UINT dpi);
int Unscale(int pixels, UINT dpi);
RECT Scale(const RECT& designed, UINT dpi);

}  // namespace ui
