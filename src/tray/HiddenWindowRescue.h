// Giving back windows that a run of the program hid and could not give back
// itself. Nothing here touches a window hidden by a Pelmora that still runs.
#pragma once
#include <windows.h>

#include "tray/HiddenWindowMarks.h"

// Undoes what the mark says (extended style, visibility without activation,
// taskbar button) and removes the mark. A window whose thread does not answer
// keeps its mark and is left for a later sweep: false.
bool GiveBackMarkedWindow(HWND wnd, const HiddenMark& mark);

// Call at start-up before anything else touches other windows: gives back
// every window marked by a process that no longer runs. Returns the number
// given back.
int RestoreOrphanedWindows();

// Gives back every window this process marked. The crash path.
int RestoreOwnHiddenWindows();

// Makes a crash give back this process's hidden windows: an unhandled-exception
// filter and a terminate handler call RestoreOwnHiddenWindows, then pass on to
// whatever was installed before them. Installing twice does nothing more.
void InstallHiddenWindowRescue();
