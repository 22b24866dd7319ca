// Turns the window events the library observes into the notifications the main window
// gets. Both event sources speak the vocabulary of WinEvents: SetWinEventHook delivers
// them as they are, and the global hooks used where those are not raised map theirs onto
// the same events, so this is the one place that decides what is reported.
#pragma once
#include <windows.h>

#include <optional>
#include <unordered_set>

namespace hooklib {

struct Notification {
    WPARAM code;  // one of the codes of hook/HookContract.h
    HWND window;
};

class EventTranslator {
public:
    // Takes in the top-level windows that exist already: the main window lists them by
    // itself, so their destruction is reported and those visible and titled count as shown.
    void Seed();

    // At most one notification per event. A top-level window is reported created once,
    // the first time it is seen visible with a title; destroyed once, if it was seen alive.
    std::optional<Notification> Translate(DWORD event, HWND window, LONG object, LONG child);

private:
    std::optional<Notification> OnMaybeShown(HWND window);

    std::unordered_set<HWND> known_;  // top-level windows seen alive
    std::unordered_set<HWND> shown_;  // of those, the ones already reported visible and titled
};

// True for a window whose parent is the desktop (not a child, not message-only).
bool IsTopLevelWindow(HWND window);

}  // namespace hooklib
