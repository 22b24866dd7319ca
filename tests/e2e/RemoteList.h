// Reading and selecting the rows of a list view in the program's process from
// this one, and other requests that carry addresses: their records live over
// there.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

int RowCount(HWND listView);
// The texts of one column, row by row, in the ANSI code page.
std::vector<std::string> ColumnTexts(DWORD pid, HWND listView, int column);
// The same through the wide request: the text as the list shows it.
std::vector<std::wstring> WideColumnTexts(DWORD pid, HWND listView, int column);
// The image index of each row.
std::vector<int> RowImages(DWORD pid, HWND listView);
// The first row whose first column starts with prefix (any letter case); -1 when none.
int FindRowByPrefix(DWORD pid, HWND listView, const std::wstring& prefix);
// Selects and focuses one row (-1: no row selected).
void SelectRow(DWORD pid, HWND listView, int row);
// Where a row's icon stands (LVIR_ICON), in the list's client area.
RECT RowIconRect(DWORD pid, HWND listView, int row);
// Sends the window WM_DPICHANGED as the system does when it moves to a monitor
// of that DPI, with the proposed rectangle.
void SendDpiChanged(DWORD pid, HWND wnd, UINT dpi, const RECT& proposed);

}  // namespace e2e
