// The library's own thread. It installs the hooks and receives all their callbacks, so
// they never wait for the main window's thread: a busy main window would otherwise stall
// every mouse movement on the desktop.
#pragma once
#include <windows.h>

#include "hooklib/HookSession.h"

namespace hooklib {

// Starts the thread and waits until its hooks are installed; false if they could not
// be, or if the thread runs already. Start and stop are called from one thread.
bool StartHookThread(HWND target, EventSourceKind source);

// Removes every hook and ends the thread; nothing happens if it does not run.
void StopHookThread();

}  // namespace hooklib
