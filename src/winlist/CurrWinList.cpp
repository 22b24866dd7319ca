// The first tab: the current windows, one row each (icon, title, executable),
// and the commands on the selected row.
#include "winlist/CurrWinList.h"

#include "MenuDescription.h"
#include "ProgramContract.h"
#include "rules/Rules.h"
#include "tray/Tray.h"
#include "ui/ImageLists.h"
#include "ui/ListView.h"
#include "ui/SystemInfo.h"
#include "ui/Text.h"
#include "windows/Transparency.h"
#include "windows/WindowEligibility.h"
#include "windows/WindowEnumeration.h"
#include "windows/WindowHelpers.h"
#include "windows/WindowWorker.h"

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

const ui::Command<TCurrWinList> TCurrWinList::kCommands[] = {
    {ID_NRefresh, &TCurrWinList::NRefreshClick},
    {ID_NAddTray, &TCurrWinList::NAddTrayClick},
    {ID_NTopMost, &TCurrWinList::NTopMostClick},
    {ID_NRegist, &TCurrWinList::NRegistClick},
};

TCurrWinList::TCurrWinList(HWND mainWindow, TTray& tray, TRules& rules)
    : MainWindow(mainWindow),
      Tray(tray),
      Rules(rules),
      CurrWinImageList(ui::CreateSmallImageList()),
      CurrWinMenu(ui::BuildPopupMenu(menus::kCurrWinMenu)) {
    lvCurrWin = ui::CreateOwnerDataListView(mainWindow, kIdCurrWin, {{"ウィンドウ名", 200}, {"ファイル名", 200}});
    ListView_SetImageList(lvCurrWin, CurrWinImageList.get(), LVSIL_SMALL);
    if (!IsWin2000OrLater()) ui::SetEnabled(CurrWinMenu.get(), ID_NTransTray, false);
}

bool TCurrWinList::OnCommand(UINT id) {
    if (int percent = TransparencyTag(id, ID_NTransTrayBase)) {
        N101Click(percent);
        return true;
    }
    return ui::RunCommand(*this, kCommands, id);
}

LRESULT TCurrWinList::OnNotify(NMHDR& hdr) {
    switch (hdr.code) {
        case LVN_ODFINDITEMW: {
            auto& find = reinterpret_cast<NMLVFINDITEMW&>(hdr);
            return ui::FindRow(find.lvfi, find.iStart, static_cast<int>(CurrWinItems.size()),
                               [this](int row) { return ui::FromAnsi(CurrWinItems[row].Title); });
        }
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
    return 0;
}

void TCurrWinList::OnContextMenu(POINT screen) {
    if (lvCurrWinContextPopup()) ui::PopupContextMenu(CurrWinMenu.get(), lvCurrWin, screen, MainWindow);
}

HWND TCurrWinList::SelectedCurrWin() const {
    int row = ui::SelectedRow(lvCurrWin);
    return row >= 0 && row < static_cast<int>(CurrWinItems.size()) ? CurrWinItems[row].Wnd : nullptr;
}

int TCurrWinList::IndexOfCurrWin(HWND wnd) const {
    for (size_t i = 0; i < CurrWinItems.size(); ++i)
        if (CurrWinItems[i].Wnd == wnd) return static_cast<int>(i);
    return -1;
}

std::vector<HWND> TCurrWinList::WindowsOfFile(const std::string& fileName) const {
    std::vector<HWND> windows;
    for (const TCurrWinItem& row : CurrWinItems)
        if (lstrcmpiA(row.FileName.c_str(), fileName.c_str()) == 0) windows.push_back(row.Wnd);
    return windows;
}

void TCurrWinList::SetCurrWinRowCount() {
    ListView_SetItemCountEx(lvCurrWin, static_cast<int>(CurrWinItems.size()), 0);
    InvalidateRect(lvCurrWin, nullptr, TRUE);
}

void TCurrWinList::AddCurrWinItem(TWinInfo& info) {
    CurrWinItems.push_back(MakeCurrWinItem(info, CurrWinImageList.get()));
    SetCurrWinRowCount();
    Rules.ApplyRuleOf(info.Wnd(), info.GetFileName());
}

void TCurrWinList::RemoveCurrWinItem(HWND wnd) {
    int index = IndexOfCurrWin(wnd);
    if (index < 0) return;
    ImageList_Remove(CurrWinImageList.get(), CurrWinItems[index].ImageIndex);
    for (size_t i = index + 1; i < CurrWinItems.size(); ++i) --CurrWinItems[i].ImageIndex;
    CurrWinItems.erase(CurrWinItems.begin() + index);
    SetCurrWinRowCount();
}

void TCurrWinList::NRefreshClick() {
    CurrWinItems.clear();
    ImageList_RemoveAll(CurrWinImageList.get());
    WinInfos.clear();
    EnumerateWindows(WinInfos, 0, true);
    for (auto& info : WinInfos) {
        // Cloaked windows (another virtual desktop, a suspended app) and the
        // shell's own surfaces are not the user's windows.
        if (!CountsAsUserWindow(FactsOf(*info))) continue;
        if (ui::LowerAnsi(info->GetTitle()) == "program manager") continue;
        // Appended as AddCurrWinItem does, but the view learns the count once,
        // below: each new count costs the list view about 4 ms under Wine,
        // more than all the rest a row needs.
        CurrWinItems.push_back(MakeCurrWinItem(*info, CurrWinImageList.get()));
        Rules.ApplyRuleOf(info->Wnd(), info->GetFileName());
    }
    SetCurrWinRowCount();
}

void TCurrWinList::lvCurrWinData(LVITEMW& item) {
    if (item.iItem < 0 || item.iItem >= static_cast<int>(CurrWinItems.size())) return;
    const TCurrWinItem& row = CurrWinItems[item.iItem];
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        // The title as the system keeps it now, in every script (read without
        // a message); the row's own text stands in for a window that is gone.
        const bool live = item.iSubItem == 0 && InternalGetWindowText(row.Wnd, item.pszText, item.cchTextMax) > 0;
        if (!live) lstrcpynW(item.pszText, ui::FromAnsi(item.iSubItem == 0 ? row.Title : row.FileName).c_str(),
                             item.cchTextMax);
    }
    if (item.mask & LVIF_IMAGE) item.iImage = row.ImageIndex;
}

// Ticks and the registration item show the window's state as the menu opens,
// and the commands act by what the menu showed. False when no row is
// selected: no menu opens then.
bool TCurrWinList::lvCurrWinContextPopup() {
    HWND wnd = SelectedCurrWin();
    if (!wnd) return false;
    HMENU menu = CurrWinMenu.get();
    MenuShowedTopMost = (GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    MenuShowedInTray = Tray.Contains(GetRootOwner(wnd));
    ui::SetChecked(menu, ID_NTopMost, MenuShowedTopMost);
    ui::SetChecked(menu, ID_NAddTray, MenuShowedInTray);
    ui::SetEnabled(menu, ID_NRegist, Rules.IndexOfRule(GetWindowFileName(wnd)) == -1);
    return true;
}

void TCurrWinList::NAddTrayClick() {
    HWND wnd = SelectedCurrWin();
    if (!wnd) return;
    if (MenuShowedInTray)
        Tray.TakeOutOfTray(wnd);
    else
        Tray.AddToTray(wnd);
}

void TCurrWinList::NTopMostClick() {
    HWND wnd = SelectedCurrWin();
    if (wnd && Tray.MayControl(wnd)) ToggleTopMost(wnd, MenuShowedTopMost);
}

void TCurrWinList::N101Click(int percent) {
    if (HWND wnd = SelectedCurrWin()) Tray.SetTransparency(wnd, percent);
}

void TCurrWinList::NRegistClick() {
    // The path is read afresh, not taken from the row's text.
    if (HWND wnd = SelectedCurrWin()) Rules.RegisterProgram(GetWindowFileName(wnd));
}

void TCurrWinList::lvCurrWinDblClick() {
    HWND wnd = SelectedCurrWin();
    if (wnd && Tray.IsStarted() && !Tray.BringBack(wnd))
        window_worker::Post(wnd, [wnd] { ForceForegroundWindow(wnd); });
}

void TCurrWinList::lvCurrWinMouseDown() {
    HWND wnd = SelectedCurrWin();
    if (wnd && !IsWindow(wnd)) RemoveCurrWinItem(wnd);
}
