// Watches top-level windows from inside their own process, for systems that raise no
// WinEvent when a window shows, hides, changes its title or is enabled (Wine). A watched
// window's procedure is wrapped: after the window has handled one of those messages, the
// event is reported. Only windows whose process the global CBT hook reaches are watched,
// so only their messages pay anything; a global message hook would make every message of
// every program take a detour through the system.
#pragma once
#include <windows.h>

namespace hooklib {

using WatchReport = void (*)(DWORD event, HWND window);

// Starts watching a top-level window of the calling thread; false if it was watched
// already (by any copy of the library), is not top-level, belongs to another thread or
// the table is full. Once a window is watched the library stays loaded in this process:
// the window's procedure points into it until the window is destroyed.
bool WatchWindow(HWND window, WatchReport report);

// Watches every top-level window of the calling thread, the first time it is called on
// that thread for a session (a number that changes each time the hooks are installed,
// as windows made in between are not watched); each newly watched window is reported
// with EVENT_OBJECT_STATECHANGE, so its state is read once.
void WatchWindowsOfThisThread(LONG session, WatchReport report);

// The event a window announces by handling this message, or 0: showing and hiding (as
// the position change that does it), a new title while visible, being enabled or disabled.
DWORD EventOfMessage(HWND window, UINT message, LPARAM lParam);

}  // namespace hooklib
