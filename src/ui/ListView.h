// Report-style list views in owner-data mode: the view keeps only a row count
// and asks its owner for each row it paints.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "prefs/Preferences.h"

namespace ui {

struct Column {
    const char* captionUtf8;
    int width;
};

// Column widths are designed at 96 DPI and scaled to the parent's. The owner
// keeps the image lists it gives the view, and destroys them.
HWND CreateOwnerDataListView(HWND parent, int id, const std::vector<Column>& columns);

// The display order and widths as the column-order text stores them: widths
// in units of 96 DPI, whatever the DPI the list is shown at.
ColumnLayout GetColumnLayout(HWND listView);
void SetColumnLayout(HWND listView, const ColumnLayout& layout);
// The columns' widths follow a change of the list's DPI.
void RescaleColumns(HWND listView, UINT oldDpi, UINT newDpi);

int SelectedRow(HWND listView);

// The answer to an owner-data list's find request (typing in the list): the
// first row from the request's start on (wrapping round when it asks) whose
// first column begins with the typed text, or equals it for a whole-text
// search, in any letter case; -1 when none does. textOf(row) gives a row's
// first column.
int FindRow(const LVFINDINFOW& find, int start, int count, const std::function<std::wstring(int)>& textOf);

}  // namespace ui
