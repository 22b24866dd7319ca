// Everything StartHook installs, owned by the library's own thread: an event source, the
// mouse hook for the minimise-button gesture, the translation of events into codes, and
// the window the codes are posted to.
#pragma once
#include <windows.h>

#include "hooklib/EventTranslator.h"
#include "hooklib/GlobalHookSource.h"
#include "hooklib/MinimizeButtonClick.h"
#include "hooklib/MouseHook.h"
#include "hooklib/WinEventSource.h"

namespace hooklib {

enum class EventSourceKind {
    WinEvents,    // Windows: out-of-context WinEvent hooks, nothing runs in other processes
    GlobalHooks,  // Wine, which raises too few WinEvents: global hooks inside other processes
};

class HookSession {
public:
    HookSession(HWND target, EventSourceKind source) : target_(target), source_(source) {}
    HookSession(const HookSession&) = delete;
    HookSession& operator=(const HookSession&) = delete;
    ~HookSession();

    // Installs everything or nothing. One session per process at a time; its callbacks
    // come on the installing thread, which must pump messages.
    bool Install();

private:
    static void OnRawEvent(DWORD event, HWND window, LONG object, LONG child);
    static bool OnMouse(WPARAM message, const MSLLHOOKSTRUCT& event);
    void Post(WPARAM code, HWND window) const;

    static HookSession* current_;

    HWND target_;
    EventSourceKind source_;
    UINT message_ = 0;
    EventTranslator translator_;
    MinimizeButtonClick click_;
    // Declared last so they are removed first.
    WinEventSource winEvents_;
    GlobalHookSource globalHooks_;
    MouseHook mouse_;
};

}  // namespace hooklib
