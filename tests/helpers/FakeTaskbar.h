// A stand-in for Explorer's taskbar window chain, with the button toolbar whose
// buttons point at records naming their windows.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace helper {

struct FakeTaskbar {
    HWND tray = nullptr;     // "Shell_TrayWnd"
    HWND toolbar = nullptr;  // its "ToolbarWindow32"
};

// Builds the chain on the calling thread, one button per window, in order.
FakeTaskbar CreateFakeTaskbar(const std::vector<HWND>& buttons);
// fsState of every button of a toolbar, in button order, separated by spaces.
std::string ButtonStates(HWND toolbar);

}  // namespace helper
