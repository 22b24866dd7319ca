// Which windows count as the user's windows: the ones the window list shows
// and the hook events may remember as the last active one. The decision is a
// pure function of a few facts, so that every place asks the same question.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

#include "windows/WinInfo.h"

// What the decision needs to know about one top-level window.
struct WindowFacts {
    bool visible = false;
    bool cloaked = false;  // present but not shown (another virtual desktop, a suspended app)
    bool hasTitle = false;
    bool hasOwner = false;
    std::wstring className;
};

// True when the window is cloaked by the desktop window manager: IsWindowVisible
// says yes, yet nothing is on screen. False when the system cannot tell (before
// Windows 8, under Wine).
bool IsWindowCloaked(HWND wnd);

// True for the shell's own surfaces that sit among the top-level windows: the
// desktop, the taskbars and the notification area's overflow window. Class
// names compare without regard to letter case, as the system compares them.
bool IsShellSurface(std::wstring_view className);

// True for a window the user works with: visible and not cloaked, titled,
// without owner, and not one of the shell's surfaces.
bool CountsAsUserWindow(const WindowFacts& facts);

// The facts of a snapshot, from what it read (and keeps) of its window.
WindowFacts FactsOf(TWinInfo& info);

// The facts of a window as the system gives them now. The title is read
// without waiting long for a window that does not answer.
WindowFacts ReadWindowFacts(HWND wnd);
