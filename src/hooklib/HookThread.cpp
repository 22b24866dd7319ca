#include "hooklib/HookThread.h"

#include "hooklib/Module.h"

namespace hooklib {
namespace {

// The thread's callbacks are bounded (a hit test waits at most kHitTestTimeoutMs), so it
// ends well within this; should it not, its own hold on the module keeps the code loaded.
constexpr DWORD kStopWaitMs = 5000;

HANDLE g_thread = nullptr;
DWORD g_threadId = 0;

struct StartRequest {
    HWND target;
    EventSourceKind source;
    HANDLE ready;  // set once `installed` is known; the request is gone after that
    HMODULE pin;   // the thread's own reference to the module, released as it exits
    bool installed = false;
};

// Mouse-hook points are physical screen coordinates; so are the thread's own
// questions (WindowFromPoint) once it is per-monitor aware. Older systems have no
// scaling to speak of and no such call.
void BecomePerMonitorDpiAware() {
    using SetContext = HANDLE(WINAPI*)(HANDLE);
    const auto set = reinterpret_cast<SetContext>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetThreadDpiAwarenessContext")));
    const auto perMonitorV2 = reinterpret_cast<HANDLE>(-4), perMonitor = reinterpret_cast<HANDLE>(-3);
    if (set && !set(perMonitorV2)) set(perMonitor);
}

void RunSession(StartRequest& request) {
    BecomePerMonitorDpiAware();
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the queue exists before Stop posts to it
    HookSession session(request.target, request.source);
    bool installed = false;
    try {
        installed = session.Install();
    } catch (...) {
        // Out of memory: nothing may leave the thread; the session removes what it has.
    }
    request.installed = installed;
    SetEvent(request.ready);
    if (!installed) return;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
}

DWORD WINAPI ThreadMain(void* param) {
    auto* request = static_cast<StartRequest*>(param);
    HMODULE pin = request->pin;
    RunSession(*request);
    // The code of this module must stay loaded until the thread has left it.
    FreeLibraryAndExitThread(pin, 0);
}

}  // namespace

bool StartHookThread(HWND target, EventSourceKind source) {
    if (g_thread) return false;
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!ready) return false;
    StartRequest request{target, source, ready, PinThisModule()};
    DWORD id = 0;
    HANDLE thread = request.pin ? CreateThread(nullptr, 0, ThreadMain, &request, 0, &id) : nullptr;
    if (thread) {
        HANDLE waits[] = {ready, thread};
        WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    } else if (request.pin) {
        FreeLibrary(request.pin);
    }
    CloseHandle(ready);
    if (thread && request.installed) {
        g_thread = thread;
        g_threadId = id;
        return true;
    }
    if (thread) {
        WaitForSingleObject(thread, INFINITE);  // it has removed what it installed
        CloseHandle(thread);
    }
    return false;
}

void StopHookThread() {
    if (!g_thread) return;
    PostThreadMessageW(g_threadId, WM_QUIT, 0, 0);
    WaitForSingleObject(g_thread, kStopWaitMs);
    CloseHandle(g_thread);
    g_thread = nullptr;
    g_threadId = 0;
}

}  // namespace hooklib
