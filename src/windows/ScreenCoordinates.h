// A window's normal position as GetWindowPlacement gives it and
// SetWindowPlacement takes it (rcNormalPosition) is in work-area coordinates
// for a top-level window without WS_EX_TOOLWINDOW: screen coordinates moved by
// the room the taskbar takes at the top or left of the window's monitor. Mixing
// the two moves a window by the taskbar's size each time it is restored.
#pragma once
#include <windows.h>

// Pure conversions, given the monitor's rectangle and its work area (as
// GetMonitorInfo gives them, in screen coordinates).
RECT WorkAreaToScreen(RECT r, RECT monitor, RECT work);
RECT ScreenToWorkArea(RECT r, RECT monitor, RECT work);

// The same for the monitor nearest to the rectangle.
RECT PlacementToScreen(RECT normalPosition);
RECT ScreenToPlacement(RECT screen);
