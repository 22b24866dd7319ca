// The first tab: the current windows, one row each (icon, title, executable),
// and the commands on the selected row.
#include <windows.h>
#include <commctrl.h>

#include "app/MainWindow.h"
#include "ui/ImageLists.h"
#include "ui/Text.h"
#include "app/MenuIds.h"
#include "ui/ListView.h"
#include "ui/Text.h"
#include "windows/WinInfo.h"
#include "windows/WindowEnumeration.h"
#include "windows/WindowHelpers.h"

namespace {

// The row for a snapshot, its icon copied into `images`. A window without an
// icon gets the blank image, so row i always shows image i.
TCurrWinItem MakeCurrWinItem(TWinInfo& info, HIMAGELIST images) {
    TCurrWinItem item;
    item.Title = info.GetTitle();
    item.FileName = info.GetFileName();
    item.Wnd = info.Wnd();
    item.ImageIndex = ui::AddIconImage(images, GetWindowIcon(item.Wnd, item.FileName).Handle());
    return item;
}

}  // namespace

bool TPelmoraMainWindow::OnCurrWinCommand(UINT id) {
    if (int percent = TransparencyTag(id, ID_NTransTrayBase)) {
        N101Click(percent);
        return true;
    }
    switch (id) {
        case ID_NRefresh:
            NRefreshClick();
            return true;
        case ID_NAddTray:
            NAddTrayClick();
            return true;
        case ID_NTopMost:
            NTopMostClick();
            return true;
        default:
            return false;
    }
}

bool TPelmoraMainWindow::OnCurrWinNotify(NMHDR& hdr, LRESULT&) {
    if (hdr.hwndFrom != lvCurrWin) return false;
    switch (hdr.code) {
        case LVN_GETDISPINFOW:
            lvCurrWinData(reinterpret_cast<NMLVDISPINFOW&>(hdr).item);
            break;
        case NM_CLICK:
        case NM_RCLICK:
            lvCurrWinMouseDown();
            break;
        case NM_DBLCLK:
            lvCurrWinMouseDown();
            lvCurrWinDblClick();
            break;
        default:
            break;
    }
    return true;
}

bool TPelmoraMainWindow::OnCurrWinContextMenu(HWND control, POINT screen) {
    if (control != lvCurrWin) return false;
    if (lvCurrWinContextPopup()) PopupAt(Menus_.CurrWinMenu.get(), control, screen);
    return true;
}

HWND TPelmoraMainWindow::SelectedCurrWin() const {
    int row = ui::SelectedRow(lvCurrWin);
    return row >= 0 && row < static_cast<int>(CurrWinItems.size()) ? CurrWinItems[row].Wnd : nullptr;
}

int TPelmoraMainWindow::IndexOfCurrWin(HWND wnd) const {
    for (size_t i = 0; i < CurrWinItems.size(); ++i)
        if (CurrWinItems[i].Wnd == wnd) return static_cast<int>(i);
    return -1;
}

void TPelmoraMainWindow::SetCurrWinRowCount() {
    ListView_SetItemCountEx(lvCurrWin, static_cast<int>(CurrWinItems.size()), 0);
    InvalidateRect(lvCurrWin, nullptr, TRUE);
}

void TPelmoraMainWindow::AddCurrWinItem(TWinInfo& info) {
    CurrWinItems.push_back(MakeCurrWinItem(info, CurrWinImageList.get()));
    SetCurrWinRowCount();
}

void TPelmoraMainWindow::RemoveCurrWinItem(HWND wnd) {
    int index = IndexOfCurrWin(wnd);
    if (index < 0) return;
    ImageList_Remove(CurrWinImageList.get(), CurrWinItems[index].ImageIndex);
    for (size_t i = index + 1; i < CurrWinItems.size(); ++i) --CurrWinItems[i].ImageIndex;
    CurrWinItems.erase(CurrWinItems.begin() + index);
    SetCurrWinRowCount();
}

void TPelmoraMainWindow::NRefreshClick() {
    CurrWinItems.clear();
    ImageList_RemoveAll(CurrWinImageList.get());
    WinInfos.clear();
    EnumerateWindows(WinInfos, 0, true);
    for (auto& info : WinInfos) {
        if (!info->GetVisible() || info->GetTitle().empty() || info->GetOwnerWnd() != nullptr) continue;
        if (ui::LowerAnsi(info->GetTitle()) == "program manager") continue;
        // Appended as AddCurrWinItem does, but the view learns the count once,
        // below: each new count costs the list view about 4 ms under Wine,
        // more than all the rest a row needs.
        CurrWinItems.push_back(MakeCurrWinItem(*info, CurrWinImageList.get()));
        int rule = IndexOfRule(info->GetFileName());
        if (rule >= 0) ApplyRule(info->Wnd(), RegWinItems[rule]);
    }
    SetCurrWinRowCount();
}

void TPelmoraMainWindow::lvCurrWinData(LVITEMW& item) {
    if (item.iItem < 0 || item.iItem >= static_cast<int>(CurrWinItems.size())) return;
    const TCurrWinItem& row = CurrWinItems[item.iItem];
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        std::wstring text = ui::FromAnsi(item.iSubItem == 0 ? row.Title : row.FileName);
        lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
    }
    if (item.mask & LVIF_IMAGE) item.iImage = row.ImageIndex;
}

// Ticks and the registration item show the window's state as the menu opens.
// False when no row is selected: no menu opens then.
bool TPelmoraMainWindow::lvCurrWinContextPopup() {
    HWND wnd = SelectedCurrWin();
    if (!wnd) return false;
    HMENU menu = Menus_.CurrWinMenu.get();
    SetChecked(menu, ID_NTopMost, (GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
    int index = -1;
    SetChecked(menu, ID_NAddTray, TrayControl && TrayControl->FindWnd(GetRootOwner(wnd), index));
    SetEnabled(menu, ID_NRegist, IndexOfRule(GetWindowFileName(wnd)) == -1);
    return true;
}

void TPelmoraMainWindow::NAddTrayClick() {
    HWND wnd = SelectedCurrWin();
    if (!wnd || !TrayControl) return;
    if (IsChecked(Menus_.CurrWinMenu.get(), ID_NAddTray)) {
        TrayControl->RestoreWnd(wnd, false, false, SW_RESTORE, false);
        TrayControl->DeleteWnd(wnd, false);
    } else {
        AddToTray(wnd, !IsIconic(wnd) && IconHideChecked());
    }
}

void TPelmoraMainWindow::lvCurrWinDblClick() {
    HWND wnd = SelectedCurrWin();
    if (!wnd || !TrayControl) return;
    if (!TrayControl->RestoreWnd(wnd, true, IconHideChecked(), SW_RESTORE, false)) ForceForegroundWindow(wnd);
}

void TPelmoraMainWindow::lvCurrWinMouseDown() {
    HWND wnd = SelectedCurrWin();
    if (wnd && !IsWindow(wnd)) RemoveCurrWinItem(wnd);
}
