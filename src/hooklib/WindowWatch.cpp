#include "hooklib/WindowWatch.h"

#include "hooklib/EventTranslator.h"
#include "hooklib/Module.h"

namespace hooklib {
namespace {

// Per process (not shared): the procedure each watched window had before. A fixed table,
// because this runs inside other programs and must neither allocate nor fail halfway.
struct Watched {
    HWND window;
    WNDPROC previous;
};
constexpr int kCapacity = 256;
Watched g_watched[kCapacity];
int g_count = 0;
SRWLOCK g_lock = SRWLOCK_INIT;
WatchReport volatile g_report = nullptr;
// Marks a window watched by any copy of the library (another folder's, an earlier
// run's), so that it is wrapped once: the copies report to whichever program runs.
constexpr wchar_t kWatchedProp[] = L"PelmoraWatched";

WNDPROC PreviousProc(HWND window) {
    WNDPROC previous = nullptr;
    AcquireSRWLockShared(&g_lock);
    for (int i = 0; i < g_count && !previous; ++i)
        if (g_watched[i].window == window) previous = g_watched[i].previous;
    ReleaseSRWLockShared(&g_lock);
    return previous;
}

void Forget(HWND window) {
    AcquireSRWLockExclusive(&g_lock);
    for (int i = 0; i < g_count; ++i) {
        if (g_watched[i].window != window) continue;
        g_watched[i] = g_watched[--g_count];
        break;
    }
    ReleaseSRWLockExclusive(&g_lock);
}

// The window's own procedure runs first, so the state it reports is the new one.
LRESULT Relay(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool unicode) {
    WNDPROC previous = PreviousProc(window);
    LRESULT result = !previous ? (unicode ? DefWindowProcW : DefWindowProcA)(window, message, wParam, lParam)
                     : unicode ? CallWindowProcW(previous, window, message, wParam, lParam)
                               : CallWindowProcA(previous, window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        RemovePropW(window, kWatchedProp);
        Forget(window);
    } else if (DWORD event = EventOfMessage(window, message, lParam)) {
        if (WatchReport report = g_report) report(event, window);
    }
    return result;
}

LRESULT CALLBACK WatchProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Relay(window, message, wParam, lParam, true);
}

LRESULT CALLBACK WatchProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Relay(window, message, wParam, lParam, false);
}

// Only the window's own thread wraps it: then nothing waits for another thread.
bool IsOfThisThread(HWND window) {
    return GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}

// The thread-local slot that holds the session a thread last took its windows in for.
DWORD SweptSessionSlot() {
    static LONG volatile slot = static_cast<LONG>(TLS_OUT_OF_INDEXES);
    if (slot == static_cast<LONG>(TLS_OUT_OF_INDEXES)) {
        const LONG fresh = static_cast<LONG>(TlsAlloc());
        const LONG none = static_cast<LONG>(TLS_OUT_OF_INDEXES);
        if (InterlockedCompareExchange(&slot, fresh, none) != none && fresh != none) TlsFree(fresh);
    }
    return static_cast<DWORD>(slot);
}

// Drops windows destroyed while their procedure no longer passed through ours (their
// program replaced it without calling on), so they cannot fill the table. Under the lock.
void DropDestroyed() {
    for (int i = 0; i < g_count;) {
        if (IsWindow(g_watched[i].window))
            ++i;
        else
            g_watched[i] = g_watched[--g_count];
    }
}

// Wraps the window's procedure in its own character set, so its messages reach it
// unchanged. The lock is held until the previous procedure is stored: a message on
// another thread waits for it. Called on the window's own thread only, once
// WatchWindow found it not watched yet: setting the procedure is then a call within
// this thread that never waits for another one, let alone another program, and no
// other thread can have wrapped the window meanwhile.
bool Wrap(HWND window) {
    AcquireSRWLockExclusive(&g_lock);
    if (g_count == kCapacity) DropDestroyed();
    LONG_PTR previous = 0;
    if (g_count < kCapacity && !GetPropW(window, kWatchedProp) &&
        SetPropW(window, kWatchedProp, reinterpret_cast<HANDLE>(1))) {
        const bool unicode = IsWindowUnicode(window);
        LONG_PTR ours = reinterpret_cast<LONG_PTR>(unicode ? WatchProcW : WatchProcA);
        previous = unicode ? SetWindowLongPtrW(window, GWLP_WNDPROC, ours)
                           : SetWindowLongPtrA(window, GWLP_WNDPROC, ours);
        if (previous)
            g_watched[g_count++] = {window, reinterpret_cast<WNDPROC>(previous)};
        else
            RemovePropW(window, kWatchedProp);
    }
    ReleaseSRWLockExclusive(&g_lock);
    return previous != 0;
}

BOOL CALLBACK WatchOne(HWND window, LPARAM) {
    if (WatchWindow(window, g_report)) g_report(EVENT_OBJECT_STATECHANGE, window);
    return TRUE;
}

}  // namespace

bool WatchWindow(HWND window, WatchReport report) {
    // Most hook calls name a window watched already: that is the first, cheapest question.
    if (!report || !IsOfThisThread(window) || PreviousProc(window) || !IsTopLevelWindow(window)) return false;
    g_report = report;
    static LONG volatile pinned = 0;
    if (!InterlockedExchange(&pinned, 1)) KeepThisModuleLoaded();
    return Wrap(window);
}

void WatchWindowsOfThisThread(LONG session, WatchReport report) {
    const DWORD slot = SweptSessionSlot();
    if (!report || slot == TLS_OUT_OF_INDEXES) return;
    void* const mark = reinterpret_cast<void*>(static_cast<LONG_PTR>(session));
    if (TlsGetValue(slot) == mark) return;
    TlsSetValue(slot, mark);
    g_report = report;
    EnumThreadWindows(GetCurrentThreadId(), WatchOne, 0);
}

DWORD EventOfMessage(HWND window, UINT message, LPARAM lParam) {
    switch (message) {
        case WM_WINDOWPOSCHANGED: {
            const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
            if (pos->flags & SWP_SHOWWINDOW) return EVENT_OBJECT_SHOW;
            if (pos->flags & SWP_HIDEWINDOW) return EVENT_OBJECT_HIDE;
            return 0;
        }
        case WM_SETTEXT:
            // A hidden window's title is read when it shows.
            return IsWindowVisible(window) ? EVENT_OBJECT_NAMECHANGE : 0;
        case WM_ENABLE:
            return EVENT_OBJECT_STATECHANGE;
        default:
            return 0;
    }
}

}  // namespace hooklib
