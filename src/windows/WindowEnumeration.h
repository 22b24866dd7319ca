// Collecting snapshots of the desktop's windows.
#pragma once
#include <windows.h>

#include "windows/WinInfo.h"

// Fills list with snapshots of the desktop's top-level windows and, down to
// depthLimit levels, their children (0: top-level windows only).
// replace: appends a snapshot of every window, in the order the system reports
// them, after what the list holds. Otherwise merges: snapshots of windows that
// are gone are removed, surviving ones keep their cached values and place, and
// new windows are appended. Not re-entrant.
void EnumerateWindows(TWinInfoList& list, int depthLimit, bool replace);

// Position of the first snapshot of wnd in the list, -1 when there is none.
int IndexOfWnd(HWND wnd, const TWinInfoList& list);

// True only while EnumerateWindows collects.
bool IsCollectingWindows();
