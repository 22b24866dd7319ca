// Calls that wait for another program's window thread (a style change, an
// activation, a sent message) run here, on threads of ours: the requests for
// the windows of one target thread run one after another, in the order they
// were made, and a target that does not answer holds only its own requests. The
// user-interface thread only hands requests over and never waits for a busy
// or hung program; a request for a busy window takes effect when its program
// answers again.
#pragma once
#include <windows.h>

#include <functional>

namespace window_worker {

// Runs `job` on the worker of wnd's thread, after the jobs handed over
// before it for windows of that thread. A window that is gone runs nothing.
void Post(HWND wnd, std::function<void()> job);

// Waits until every job handed over has run, at most `ms`; true when all ran.
// Jobs still waiting then (their program does not answer) are left to run
// whenever it does, or never if the process ends first.
bool WaitIdle(DWORD ms);

// The number of jobs handed over that have not finished.
int Pending();

}  // namespace window_worker
