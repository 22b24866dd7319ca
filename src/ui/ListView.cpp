#include "ui/ListView.h"

#include "ui/Dpi.h"

#include "ui/Text.h"

namespace ui {

int FindRow(const LVFINDINFOW& find, int start, int count, const std::function<std::wstring(int)>& textOf) {
    if (!(find.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.psz || count <= 0) return -1;
    const std::wstring wanted = find.psz;
    const bool partial = (find.flags & LVFI_PARTIAL) != 0;
    if (start < 0 || start >= count) start = 0;
    const int rows = (find.flags & LVFI_WRAP) ? count : count - start;
    for (int i = 0; i < rows; ++i) {
        int row = (start + i) % count;
        std::wstring text = textOf(row);
        if (partial && text.size() > wanted.size()) text.resize(wanted.size());
        if (CompareStringOrdinal(text.c_str(), static_cast<int>(text.size()), wanted.c_str(),
                                 static_cast<int>(wanted.size()), TRUE) == CSTR_EQUAL)
            return row;
    }
    return -1;
}

HWND CreateOwnerDataListView(HWND parent, int id, const std::vector<Column>& columns) {
    DWORD style = WS_CHILD | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                  LVS_SHAREIMAGELISTS;
    HWND lv = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", style, 0, 0, 0, 0, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                              nullptr);
    ListView_SetExtendedListViewStyle(lv, LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
    for (size_t i = 0; i < columns.size(); ++i) {
        std::wstring caption = Utf8(columns[i].captionUtf8);
        LVCOLUMNW col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        col.pszText = caption.data();
        col.cx = Scale(columns[i].width, WindowDpi(parent));
        col.iSubItem = static_cast<int>(i);
        SendMessageW(lv, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&col));
    }
    return lv;
}

static int ColumnCount(HWND listView) {
    return Header_GetItemCount(ListView_GetHeader(listView));
}

ColumnLayout GetColumnLayout(HWND listView) {
    int n = ColumnCount(listView);
    ColumnLayout layout;
    layout.order.resize(n);
    layout.widths.resize(n);
    if (n > 0) ListView_GetColumnOrderArray(listView, n, layout.order.data());
    const UINT dpi = WindowDpi(listView);
    for (int i = 0; i < n; ++i) layout.widths[i] = Unscale(ListView_GetColumnWidth(listView, i), dpi);
    return layout;
}

void SetColumnLayout(HWND listView, const ColumnLayout& layout) {
    int n = ColumnCount(listView);
    const UINT dpi = WindowDpi(listView);
    for (int i = 0; i < n && i < static_cast<int>(layout.widths.size()); ++i)
        ListView_SetColumnWidth(listView, i, Scale(layout.widths[i], dpi));
    if (static_cast<int>(layout.order.size()) == n && n > 0) {
        std::vector<int> order = layout.order;
        ListView_SetColumnOrderArray(listView, n, order.data());
    }
}

void RescaleColumns(HWND listView, UINT oldDpi, UINT newDpi) {
    for (int i = 0, n = ColumnCount(listView); i < n; ++i)
        ListView_SetColumnWidth(listView, i,
                                MulDiv(ListView_GetColumnWidth(listView, i), static_cast<int>(newDpi),
                                       static_cast<int>(oldDpi)));
}

int SelectedRow(HWND listView) {
    return ListView_GetNextItem(listView, -1, LVNI_SELECTED);
}

}  // namespace ui
