// Helpers for other applications' windows (and the program's own).
#pragma once
#include <windows.h>

// Brings a window to the foreground even when another program holds it:
// restores a minimised window first, joins the input queues of the two threads,
// and falls back to lifting the foreground lock time-out for one call.
bool ForceForegroundWindow(HWND wnd);
