// Every window the program hides carries a mark: window properties that say
// which process hid it, how, and what restoring it needs. If the program ends
// without giving the window back (killed, crashed), the next start, or the
// crash handler, finds the mark and gives the window back.
#pragma once
#include <windows.h>

#include <optional>

// How a window was hidden; the bits combine.
enum HiddenHow : UINT {
    kHiddenWithToolStyle = 1,  // minimised, hidden, tool-window style added
    kButtonHidden = 2,         // its taskbar button hidden
};

struct HiddenMark {
    DWORD processId = 0;         // the process that hid the window
    ULONGLONG processStart = 0;  // its creation time, so a reused id does not count
    UINT how = 0;                // HiddenHow bits
    LONG_PTR exStyle = 0;        // the extended style to give back (kHiddenWithToolStyle)
};

// Adds `how` to the window's mark, made by this process. savedExStyle is kept
// with kHiddenWithToolStyle.
void MarkHidden(HWND wnd, UINT how, LONG_PTR savedExStyle = 0);
// Takes `how` off the mark; the mark goes when nothing is left.
void UnmarkHidden(HWND wnd, UINT how);
std::optional<HiddenMark> ReadHiddenMark(HWND wnd);

// The creation time of a process, 0 when it is not running.
ULONGLONG ProcessStartTime(DWORD processId);
// True while the process that made the mark still runs.
bool IsMarkHolderRunning(const HiddenMark& mark);
