#include "windows/Transparency.h"

#include <algorithm>
#include <vector>

#include "ui/Text.h"
#include "windows/WindowEligibility.h"
#include "windows/WindowHelpers.h"
#include "windows/WindowText.h"

namespace {

bool HasSize(HWND wnd) {
    RECT r{};
    return GetWindowBounds(wnd, r) && r.right != r.left && r.bottom != r.top;
}

// True when the window shows this constant alpha already and nothing else of a
// layered window (no colour key): setting it again would change nothing.
bool HasAlphaAlready(HWND wnd, BYTE alpha) {
    if ((GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_LAYERED) == 0) return alpha == 255;
    BYTE current = 0;
    DWORD flags = 0;
    return alpha != 255 && GetLayeredWindowAttributes(wnd, nullptr, &current, &flags) && flags == LWA_ALPHA &&
           current == alpha;
}

BOOL CALLBACK CollectOwned(HWND wnd, LPARAM param) {
    auto& search = *reinterpret_cast<std::pair<HWND, std::vector<HWND>>*>(param);
    try {
        if (GetWindow(wnd, GW_OWNER) == search.first) search.second.push_back(wnd);
        return TRUE;
    } catch (...) {  // nothing thrown crosses the system's frames: the search ends here
        return FALSE;
    }
}

// The top-level windows that `owner` owns directly. Only the owner is asked of
// each window: that is what decides for almost all of them.
std::vector<HWND> OwnedWindows(HWND owner) {
    std::pair<HWND, std::vector<HWND>> search{owner, {}};
    EnumWindows(CollectOwned, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

// The owned windows that share their owner's transparency: visible, not
// cloaked, titled, and not the desktop's "Program Manager".
bool SharesTransparency(HWND owned) {
    if (!IsWindowVisible(owned) || IsWindowCloaked(owned)) return false;
    std::string title = ReadWindowTitle(owned);
    return !title.empty() && ui::LowerAnsi(title) != "program manager";
}

void ApplyIfChanged(HWND wnd, BYTE alpha) {
    if (!HasAlphaAlready(wnd, alpha) && HasSize(wnd)) ApplyAlpha(wnd, alpha);
}

}  // namespace

BYTE TransparencyAlpha(int percent) {
    return static_cast<BYTE>(std::clamp(percent, 10, 100) * 255 / 100);
}

void ApplyAlpha(HWND wnd, BYTE alpha) {
    SetWindowLongA(wnd, GWL_EXSTYLE, GetWindowLongA(wnd, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(wnd, 0, alpha, LWA_ALPHA);
    if (alpha == 255) SetWindowLongA(wnd, GWL_EXSTYLE, GetWindowLongA(wnd, GWL_EXSTYLE) & ~WS_EX_LAYERED);
}

void ToggleTopMost(HWND wnd, bool isTopMost) {
    // Asynchronous: another program's busy thread never holds ours.
    SetWindowPos(wnd, isTopMost ? HWND_NOTOPMOST : HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_ASYNCWINDOWPOS);
}

bool TransparencyChanges(HWND wnd, BYTE alpha) {
    return (GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0 || alpha != 255;
}

std::vector<HWND> TOwnedWindows::Of(HWND owner) const {
    auto found = owned_.find(owner);
    return found == owned_.end() ? std::vector<HWND>{} : found->second;
}

namespace {
thread_local std::shared_ptr<const TOwnedWindows> currentSnapshot;
}

TOwnedWindowsScope::TOwnedWindowsScope(std::shared_ptr<const TOwnedWindows> snapshot) {
    currentSnapshot = std::move(snapshot);
}

TOwnedWindowsScope::~TOwnedWindowsScope() {
    currentSnapshot.reset();
}

std::shared_ptr<const TOwnedWindows> TOwnedWindowsScope::Current() {
    return currentSnapshot;
}

bool TransparencyWouldChange(HWND wnd, BYTE alpha, const TOwnedWindows* snapshot) {
    return !snapshot || !HasAlphaAlready(wnd, alpha) || !snapshot->Of(wnd).empty();
}

// Cheap questions first: the owner of each top-level window (or none, with a
// snapshot), and the title only of the windows the target owns. A window that
// has the alpha already is left alone, so applying a rule again on every
// refresh costs little.
void ApplyTransparency(HWND wnd, BYTE alpha, const TOwnedWindows* snapshot) {
    ApplyIfChanged(wnd, alpha);
    for (HWND owned : snapshot ? snapshot->Of(wnd) : OwnedWindows(wnd))
        if (SharesTransparency(owned)) ApplyIfChanged(owned, alpha);
}
