#include "hooklib/EventTranslator.h"

#include "hook/HookContract.h"

namespace hooklib {
namespace {

// Read without sending a message: a hung window or a busy thread of our own process
// must never hold up the library's thread.
bool HasTitle(HWND window) {
    wchar_t first[2] = {};
    return InternalGetWindowText(window, first, 2) > 0;
}

BOOL CALLBACK SeedOne(HWND window, LPARAM param) {
    auto* sets = reinterpret_cast<std::unordered_set<HWND>**>(param);
    sets[0]->insert(window);
    if (IsReadyForUser(window)) sets[1]->insert(window);
    return TRUE;
}

}  // namespace

bool IsReadyForUser(HWND window) {
    return IsWindowVisible(window) && IsWindowEnabled(window) && HasTitle(window);
}

bool IsTopLevelWindow(HWND window) {
    return window && IsWindow(window) && GetAncestor(window, GA_PARENT) == GetDesktopWindow();
}

void EventTranslator::Seed() {
    std::unordered_set<HWND>* sets[] = {&known_, &ready_};
    EnumWindows(SeedOne, reinterpret_cast<LPARAM>(sets));
}

Notifications EventTranslator::Translate(DWORD event, HWND window, LONG object, LONG child) {
    if (!window || object != OBJID_WINDOW || child != CHILDID_SELF) return {};
    switch (event) {
        case EVENT_OBJECT_CREATE:
        case EVENT_OBJECT_SHOW:
        case EVENT_OBJECT_HIDE:
        case EVENT_OBJECT_NAMECHANGE:
        case EVENT_OBJECT_STATECHANGE:  // enabled or disabled, among others
            return OnStateChanged(window);
        case EVENT_OBJECT_DESTROY:
            // The window is usually gone by now: whether it was top-level is remembered.
            ready_.erase(window);
            if (known_.erase(window)) return Notification{hook::HookWindowGone, window};
            return {};
        case EVENT_SYSTEM_MINIMIZESTART:
            // A known window may be gone already; the main window skips it then.
            if (!known_.contains(window) && !IsTopLevelWindow(window)) return {};
            known_.insert(window);
            return Notification{hook::HookHideWindow, window};
        case EVENT_SYSTEM_FOREGROUND: {
            Notifications notes = OnStateChanged(window);
            notes.Add({hook::HookWindowActivated, window});
            return notes;
        }
        default:
            return {};
    }
}

// The state is read as it is now, not taken from the event: out of context, events
// arrive late, and one event may stand for several changes.
std::optional<Notification> EventTranslator::OnStateChanged(HWND window) {
    if (!IsTopLevelWindow(window)) return std::nullopt;
    known_.insert(window);
    if (!IsReadyForUser(window)) {
        ready_.erase(window);
        return std::nullopt;
    }
    if (!ready_.insert(window).second) return std::nullopt;
    return Notification{hook::HookWindowCreated, window};
}

}  // namespace hooklib
