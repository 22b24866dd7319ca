// Hiding and showing another window's taskbar button. No system function does
// this on the old taskbar, so the button toolbar is changed from the outside;
// where that toolbar does not exist (Windows 7 and later, Wine) the shell's
// ITaskbarList removes and adds the window's tab instead.
#pragma once
#include <windows.h>

enum class TaskbarButtonMethod {
    Toolbar,      // the buttons of the taskbar's toolbar were changed
    TaskbarList,  // the shell's ITaskbarList took the request
    None,         // neither was available
};

// The toolbar that holds the taskbar buttons: "Shell_TrayWnd" >
// "ReBarWindow32" > "MSTaskSwWClass" > "ToolbarWindow32"; 0 when absent.
HWND FindTaskbarToolbar();

// Sets every button that stands for wnd to exactly enabled (visible) or
// hidden. Every toolbar request waits at most kAnswerTimeoutMs; a taskbar that
// does not answer ends the call.
TaskbarButtonMethod SetTaskbarButton(HWND wnd, bool visible);
