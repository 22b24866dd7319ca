// Runs a modal dialog for real on the test's thread and lets a test look at
// it once it is up: a thread timer fires inside the dialog's modal loop.
// Shared by the Windows tests of every dialog and of the controls on them.
#pragma once
#include <windows.h>

#include <functional>
#include <ostream>
#include <string>

namespace win_test {

// Calls `show`, which opens a modal dialog owned by owner, and calls inspect
// with that dialog once it is on the screen. A dialog that inspect leaves
// open is closed afterwards as by its close box.
void ShowAndInspect(HWND owner, const std::function<void()>& show,
                    const std::function<void(HWND dialog)>& inspect);

// Handles the waiting messages as the dialog's modal loop would, until none
// is left or the dialog is gone; without a dialog, as a plain message loop.
void Pump(HWND dialog);
// Handles messages so for about that long.
void PumpFor(HWND dialog, DWORD milliseconds);

// A visible top-level window to own the dialog.
HWND CreateOwner(const RECT& bounds);

// A control's rectangle in its parent's client coordinates.
RECT ChildRect(HWND child);
std::wstring TextOf(HWND hwnd);

}  // namespace win_test

// Rectangles in test expectations.
inline bool operator==(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}
inline std::ostream& operator<<(std::ostream& os, const RECT& r) {
    return os << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}
