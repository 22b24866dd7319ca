// Giving back windows that a run of the program hid and could not give back
// itself. Nothing here touches a window hidden by a Pelmora that still runs.
#pragma once
#include <windows.h>

#include "tray/HiddenWindowMarks.h"

// Undoes what the mark says (extended style, visibility without activation,
// taskbar button) and removes the mark. A window whose thread does not answer
// keeps its mark and is left for a later sweep: false.
bool GiveBackMarkedWindow(HWND wnd, const HiddenMark& mark);

// Start-up: hands every window marked by a process that no longer runs to the
// window worker, which gives it back as soon as its program answers. Returns
// the number handed over; nothing here waits for another program.
int RestoreOrphanedWindows();

// The same for every window this process marked. The crash path.
int RestoreOwnHiddenWindows();

// Makes a crash give back this process's hidden windows: an unhandled-exception
// filter and a terminate handler call RestoreOwnHiddenWindows and wait at most
// a second for them, pass on to whatever was installed before them, and end
// the process if that did not. Installing twice does nothing more.
void InstallHiddenWindowRescue();
