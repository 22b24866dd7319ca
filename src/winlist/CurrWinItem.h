// One row of the current-window list.
#pragma once
#include <windows.h>

#include <string>

struct TCurrWinItem {
    std::string Title;     // the window's text when the row was made
    std::wstring FileName;  // full path of its process's executable, possibly empty
    HWND Wnd = nullptr;
    DWORD ProcessId = 0;  // the window's process when the row was made
    int ImageIndex = -1;  // its icon's image in the list's image list, shared by rows with the same icon
};
