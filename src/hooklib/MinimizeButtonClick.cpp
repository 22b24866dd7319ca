#include "hooklib/MinimizeButtonClick.h"

namespace hooklib {
namespace {

// The hook reports physical screen coordinates, and the library's thread works in them
// (HookThread makes it per-monitor DPI aware). A window that is not DPI aware is
// scaled by the system and hit-tests in its own logical coordinates.
POINT InWindowCoordinates(HWND window, POINT point) {
    using Convert = BOOL(WINAPI*)(HWND, POINT*);
    static const auto convert = reinterpret_cast<Convert>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "PhysicalToLogicalPointForPerMonitorDPI")));
    if (convert) convert(window, &point);
    return point;
}

}  // namespace

HWND MinimizeButtonOwnerAt(POINT point) {
    HWND hit = WindowFromPoint(point);
    HWND root = hit ? GetAncestor(hit, GA_ROOT) : nullptr;
    // Without the style there is no button: no need to ask the window.
    if (!root || !(GetWindowLongPtrW(root, GWL_STYLE) & WS_MINIMIZEBOX)) return nullptr;
    DWORD_PTR answer = HTNOWHERE;
    const POINT at = InWindowCoordinates(root, point);
    const LPARAM where = MAKELPARAM(static_cast<WORD>(at.x), static_cast<WORD>(at.y));
    if (!SendMessageTimeoutA(root, WM_NCHITTEST, 0, where, SMTO_ABORTIFHUNG | SMTO_BLOCK, kHitTestTimeoutMs,
                             &answer))
        return nullptr;
    return answer == HTMINBUTTON ? root : nullptr;
}

MinimizeButtonClick::Verdict MinimizeButtonClick::OnMouse(WPARAM message, POINT point) {
    if (message == WM_RBUTTONDOWN) {
        // Each press decides for its own release, so a release the hook never saw
        // cannot make it swallow a later one.
        HWND owner = MinimizeButtonOwnerAt(point);
        swallowRelease_ = owner != nullptr;
        return {swallowRelease_, owner};
    }
    if (message == WM_RBUTTONUP && swallowRelease_) {
        // The release goes wherever the press went, even if the mouse moved away.
        swallowRelease_ = false;
        return {true, nullptr};
    }
    return {};
}

}  // namespace hooklib
