// The helper's user-interface threads. Each pumps messages for the windows it
// created; the reader thread hands it jobs through a message-only control
// window, so every window is created, changed and destroyed by its own thread.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace helper {

class UiThread {
public:
    using Job = std::function<std::string()>;

    // The process's first thread; call once from it before Pump.
    static UiThread& StartMain();
    // A new thread with a message loop of its own.
    static UiThread& Spawn();
    // The first thread.
    static UiThread& Main();
    // The thread that owns a window, or the main thread for a window of
    // another thread.
    static UiThread& Of(HWND wnd);

    // Runs a job on this thread and returns its reply line; a thread that
    // does not answer within a few seconds gives an "err" reply.
    std::string Run(const Job& job);
    // Stops this thread's message loop until Unhang; returns once it stopped.
    bool Hang();
    void Unhang() { SetEvent(release_); }

    // The message loop of the calling thread.
    static void Pump();

private:
    UiThread();
    void CreateControlWindow();
    static LRESULT CALLBACK ControlProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

    DWORD threadId_ = 0;
    HWND control_ = nullptr;
    HANDLE entered_;  // set while the thread is stopped
    HANDLE release_;  // set to let it go on
};

}  // namespace helper
