#include "hooklib/WinEventSource.h"

namespace hooklib {
namespace {

// Only the calling thread receives the callbacks; one source is installed at a time.
RawEventHandler g_handler = nullptr;

void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
    if (g_handler) g_handler(event, window, object, child);
}

struct EventRange {
    DWORD first;
    DWORD last;
};

// Only the events the translation uses, so the system does not wake us for others.
constexpr EventRange kRanges[] = {
    {EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND},
    {EVENT_SYSTEM_MINIMIZESTART, EVENT_SYSTEM_MINIMIZESTART},
    {EVENT_OBJECT_CREATE, EVENT_OBJECT_HIDE},  // create, destroy, show, hide
    {EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_STATECHANGE},
    {EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE},
};

}  // namespace

bool WinEventSource::Install(RawEventHandler handler) {
    Remove();
    g_handler = handler;
    for (const EventRange& range : kRanges) {
        HWINEVENTHOOK hook =
            SetWinEventHook(range.first, range.last, nullptr, OnWinEvent, 0, 0, WINEVENT_OUTOFCONTEXT);
        if (!hook) {
            Remove();
            return false;
        }
        hooks_.push_back(hook);
    }
    return true;
}

void WinEventSource::Remove() {
    for (HWINEVENTHOOK hook : hooks_) UnhookWinEvent(hook);
    hooks_.clear();
    g_handler = nullptr;
}

}  // namespace hooklib
