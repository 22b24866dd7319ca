// The windows the helper makes on request: their classes, icons and creation.
#pragma once
#include <windows.h>

#include "HelperRequest.h"

namespace helper {

// Creates the window a "create" request describes, on the calling thread.
HWND CreateRequestedWindow(const Request& request);
// The small icon the helper gave the class of a window it created (0 for none).
HICON ClassSmallIcon(HWND wnd);
// How many mouse-button messages (client or non-client) the window has received.
int ClickCount(HWND wnd);

}  // namespace helper
