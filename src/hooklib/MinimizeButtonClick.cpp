#include "hooklib/MinimizeButtonClick.h"

namespace hooklib {

HWND MinimizeButtonOwnerAt(POINT point) {
    HWND hit = WindowFromPoint(point);
    HWND root = hit ? GetAncestor(hit, GA_ROOT) : nullptr;
    // Without the style there is no button: no need to ask the window.
    if (!root || !(GetWindowLongPtrW(root, GWL_STYLE) & WS_MINIMIZEBOX)) return nullptr;
    DWORD_PTR answer = HTNOWHERE;
    const LPARAM where = MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y));
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
