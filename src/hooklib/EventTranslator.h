// Turns the window events the library observes into the notifications the main window
// gets. Both event sources speak the vocabulary of WinEvents: SetWinEventHook delivers
// them as they are, and the global hooks used where those are not raised map theirs onto
// the same events, so this is the one place that decides what is reported.
#pragma once
#include <windows.h>

#include <array>
#include <cstddef>
#include <optional>
#include <unordered_set>

namespace hooklib {

struct Notification {
    WPARAM code;  // one of the codes of hook/HookContract.h
    HWND window;
};

// What one event reports, in the order it is to be posted: at most two notifications.
class Notifications {
public:
    Notifications() = default;
    Notifications(Notification only) { Add(only); }
    Notifications(std::optional<Notification> first) {
        if (first) Add(*first);
    }
    void Add(Notification note) {
        if (count_ < items_.size()) items_[count_++] = note;
    }
    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    const Notification& operator[](std::size_t i) const { return items_[i]; }
    const Notification* begin() const { return items_.data(); }
    const Notification* end() const { return items_.data() + count_; }

private:
    std::array<Notification, 2> items_{};
    std::size_t count_ = 0;
};

class EventTranslator {
public:
    // Takes in the top-level windows that exist already: the main window lists them by
    // itself, so their destruction is reported and those ready for the user count as
    // reported.
    void Seed();

    // A top-level window is reported created each time it becomes ready for the user
    // (visible, titled and enabled) after it was not: when it first shows, and again
    // when it is shown again, gets its title or is enabled after a time without. The
    // main window may have passed it over while it was not ready; a window it lists
    // already it ignores. Destroyed once, if it was seen alive. Coming to the
    // foreground is reported as such, after the creation when the window became
    // ready unseen: where showing is only learnt once the window has been activated
    // (under Wine, activation comes first and takes milliseconds), the activation
    // already finds it visible.
    Notifications Translate(DWORD event, HWND window, LONG object, LONG child);

private:
    std::optional<Notification> OnStateChanged(HWND window);

    std::unordered_set<HWND> known_;  // top-level windows seen alive
    std::unordered_set<HWND> ready_;  // of those, the ones reported ready and still so
};

// Visible, titled and enabled: what a window needs to be listed. Read without sending
// it a message.
bool IsReadyForUser(HWND window);

// True for a window whose parent is the desktop (not a child, not message-only).
bool IsTopLevelWindow(HWND window);

}  // namespace hooklib
