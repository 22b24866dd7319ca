// Report-style list views in owner-data mode: the view keeps only a row count
// and asks its owner for each row it paints.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "prefs/Preferences.h"

namespace ui {

struct Column {
    const char* captionUtf8;
    int width;
};

HWND CreateOwnerDataListView(HWND parent, int id, const std::vector<Column>& columns);

// The display order and widths as the column-order text stores them.
ColumnLayout GetColumnLayout(HWND listView);
void SetColumnLayout(HWND listView, const ColumnLayout& layout);

int SelectedRow(HWND listView);

}  // namespace ui
