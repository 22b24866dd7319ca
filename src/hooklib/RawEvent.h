// The receiver both event sources feed: a window event in the terms of a WinEvent.
#pragma once
#include <windows.h>

namespace hooklib {

using RawEventHandler = void (*)(DWORD event, HWND window, LONG object, LONG child);

}  // namespace hooklib
