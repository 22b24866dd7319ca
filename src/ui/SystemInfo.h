// Operating-system gates and the desktop's interface font.
#pragma once
#include <windows.h>

#include "ui/Handles.h"

// The system's version as GetVersionEx reports it.
OSVERSIONINFOA SystemVersion();

// True on Windows 2000 (5.0) or later: transparency needs layered windows.
bool IsWin2000OrLater();
// True on Windows XP (5.1) or later: the taskbar-button option needs it.
bool IsWinXPOrLater();
// Pure forms of the gates, for a given version.
bool IsWin2000OrLater(DWORD major);
bool IsWinXPOrLater(DWORD major, DWORD minor);

// The desktop's icon-title font, or a copy of the default GUI font when the
// icon-title font cannot be read, at the DPI (0: the system's, for which the
// system gives it). The caller owns the result.
ui::OwnedFont SetSystemFont(UINT dpi = 0);
// The logical font record behind SetSystemFont, for callers that derive a
// variant (bold, another size) in the same face.
LOGFONTW SystemFontRecord(UINT dpi = 0);
