// Questions about another application's window, and acting on it: its
// executable, bounds, small icon, full text and root owner, and forced
// activation. Failures give empty or zero results; nothing is reported.
#pragma once
#include <windows.h>

#include <string>

#include "windows/WindowIcon.h"
#include "windows/WindowText.h"

// Full path of the executable of the window's process (UTF-16); empty when it cannot be
// determined (no such window, a process that refuses every query).
std::wstring GetWindowFileName(HWND wnd);

// The window's rectangle in screen coordinates; false when the window is gone.
bool GetWindowBounds(HWND wnd, RECT& bounds);

// Brings a window to the foreground even when another program holds it:
// restores a minimised window first, joins the input queues of the two threads,
// and falls back to lifting the foreground lock time-out for one call.
bool ForceForegroundWindow(HWND wnd);

// True when the window's thread answers a message within kAnswerTimeoutMs.
// Changing a window's visibility or style waits for its thread, so the program
// asks this first and leaves a window that does not answer as it is.
bool IsWindowAnswering(HWND wnd);

// The outermost window above wnd: the top of its parent chain, then the end of
// that window's owner chain. A window without parent and owner is its own
// root owner; 0 gives 0.
HWND GetRootOwner(HWND wnd);
