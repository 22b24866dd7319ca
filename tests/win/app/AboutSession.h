// Opens the About dialog for real on the test's thread and lets a test look at
// it once it is up: a thread timer fires inside the dialog's modal loop.
#pragma once
#include <windows.h>

#include <functional>
#include <ostream>

namespace about_test {

// Shows TForm2 over owner and calls inspect with the dialog once it is on the
// screen. If inspect leaves the dialog open, it is closed afterwards as by
// its close box.
// Returns the dialog's modal result.
INT_PTR ShowAboutAndInspect(HWND owner, const std::function<void(HWND dialog)>& inspect);

// A visible top-level window to own the dialog.
HWND CreateOwner(const RECT& bounds);

// A control's rectangle in its parent's client coordinates.
RECT ChildRect(HWND child);

}  // namespace about_test

// Rectangles in test expectations.
inline bool operator==(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}
inline std::ostream& operator<<(std::ostream& os, const RECT& r) {
    return os << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}
