// What the hook library pelmora.dll and the main window agree on: the file, the two
// exported functions, the registered message that carries notifications and its codes.
// Both sides include only this header from each other.
#pragma once
#include <cstdint>

namespace hook {

// The library's file, loaded from the executable's folder.
inline constexpr char kLibraryFileName[] = "pelmora.dll";

// Exports, looked up by name: BOOL StartHook(HWND target) and void StopHook().
// StartHook makes the library post its notifications to `target`; StopHook removes
// everything StartHook installed.
inline constexpr char kStartHookName[] = "StartHook";
inline constexpr char kStopHookName[] = "StopHook";

// Both sides register this name and so get the same message number (0xC000 to 0xFFFF).
// wParam carries one of the codes below, lParam the window handle it is about.
inline constexpr char kHookMessageName[] = "lkfsgd2fs741admsfdh";

// Notification codes.
inline constexpr std::uintptr_t HookTrayWindow = 0;          // right click on a minimise button
inline constexpr std::uintptr_t HookHideWindow = 1;          // a top-level window was minimised
inline constexpr std::uintptr_t HookWindowGone = 2;          // a top-level window was destroyed
inline constexpr std::uintptr_t HookWindowCreated = 3;       // a top-level window is visible and titled
inline constexpr std::uintptr_t HookWindowActivated = 1127;  // a window became the foreground window

}  // namespace hook

#ifdef _WIN32
#include <windows.h>

namespace hook {

// The exports' types (the 64-bit build has one calling convention; WINAPI keeps a
// 32-bit build on the stack convention the library is called with).
using StartHookFunc = BOOL(WINAPI*)(HWND target);
using StopHookFunc = void(WINAPI*)();

}  // namespace hook
#endif
