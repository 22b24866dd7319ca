// The platform side of transparency and always-on-top for one window.
#pragma once
#include <windows.h>

#include <memory>
#include <unordered_map>
#include <vector>

// The layered alpha of a percentage: percentage * 255 / 100, rounded toward
// zero. Values outside 10..100 (a hand-edited rule) are clamped first: 0 would
// make a window invisible and unclickable, more than 100 would overflow.
BYTE TransparencyAlpha(int percent);

// Makes the window layered with the alpha; at 255 it is made ordinary again.
void ApplyAlpha(HWND wnd, BYTE alpha);

// Always-on-top off when `isTopMost`, on otherwise; place and size stay.
void ToggleTopMost(HWND wnd, bool isTopMost);

// True when giving the window this alpha would change it: it is layered now,
// or the alpha is not 255.
bool TransparencyChanges(HWND wnd, BYTE alpha);

// The visible top-level windows by their owner, as a snapshot of the desktop
// saw them.
class TOwnedWindows {
public:
    void Add(HWND owner, HWND owned) { owned_[owner].push_back(owned); }
    std::vector<HWND> Of(HWND owner) const;

private:
    std::unordered_map<HWND, std::vector<HWND>> owned_;
};

// While one lives, the transparency requests this thread makes take the owned
// windows from the caller's snapshot instead of asking every window on the
// desktop for its owner once per request (a refresh applies its rules to many
// windows at once). Scopes do not nest.
class TOwnedWindowsScope {
public:
    explicit TOwnedWindowsScope(std::shared_ptr<const TOwnedWindows> snapshot);
    ~TOwnedWindowsScope();
    TOwnedWindowsScope(const TOwnedWindowsScope&) = delete;
    TOwnedWindowsScope& operator=(const TOwnedWindowsScope&) = delete;
    // The snapshot of the scope this thread is in; null outside one.
    static std::shared_ptr<const TOwnedWindows> Current();
};

// False when applying the alpha is known to change nothing without asking the
// desktop: the window shows that alpha already and the snapshot, given one,
// has no visible window it owns. Asks nothing that waits for the window.
bool TransparencyWouldChange(HWND wnd, BYTE alpha, const TOwnedWindows* snapshot);

// Gives the alpha to the window and to the visible, titled windows it owns
// directly; windows without size, and windows that show this alpha already,
// are left as they are. The owned windows come from `snapshot` when there is
// one, else from asking every top-level window for its owner.
void ApplyTransparency(HWND wnd, BYTE alpha, const TOwnedWindows* snapshot = nullptr);
