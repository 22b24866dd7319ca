// What the program's windows, its tests and its benchmarks agree on: the
// private message numbers and the control identifiers. Tests include this
// header instead of repeating the numbers.
#pragma once
#include <windows.h>

// The per-window tray icons' callback message: the registry's hidden window
// receives it and posts it on to the main window unchanged (wParam the icon
// identifier, lParam the mouse message).
inline constexpr UINT WM_TRAYNOTIFY = WM_USER + 101;  // 1125
// A second start asks the running instance to come forward (wParam 0, lParam 0).
inline constexpr UINT WM_SHOWINSTANCE = WM_USER + 102;  // 1126
// The own icon's callback message, at its own hidden window.
inline constexpr UINT WM_OWNICONNOTIFY = WM_APP + 1;
// A window of a program run above the program's own level was left alone: the
// main window tells the user why, outside the operation that met it (lParam
// the window).
inline constexpr UINT WM_ELEVATEDWINDOW = WM_APP + 2;

// Child controls of the main window.
enum ControlId : int {
    kIdPageControl = 10,  // the two tabs
    kIdCurrWin = 11,      // lvCurrWin: the current windows
    kIdRegWin = 12,       // lvRegWin: the rules
};
