// One row of the current-window list.
#pragma once
#include <windows.h>

#include <string>

struct TCurrWinItem {
    std::string Title;     // the window's text when the row was made
    std::string FileName;  // full path of its process's executable, possibly empty
    HWND Wnd = nullptr;
    int ImageIndex = -1;  // position of its icon in the list's image list: always its row
};
