// The first tab: the current windows, one row each (icon, title, executable),
// and the commands on the selected row.
#include "winlist/CurrWinList.h"

#include <iterator>
#include <unordered_map>

#include "MenuDescription.h"
#include "ProgramContract.h"
#include "rules/Rules.h"
#include "tray/Tray.h"
#include "ui/Dpi.h"
#include "ui/ImageLists.h"
#include "ui/ListView.h"
#include "ui/SystemInfo.h"
#include "ui/Text.h"
#include "windows/IntegrityLevel.h"
#include "windows/Transparency.h"
#include "windows/WindowEligibility.h"
#include "windows/WindowEnumeration.h"
#include "windows/WindowFileName.h"
#include "windows/WindowHelpers.h"
#include "windows/WindowWorker.h"

namespace {

DWORD ProcessOf(HWND wnd) {
    DWORD processId = 0;
    GetWindowThreadProcessId(wnd, &processId);
    return processId;
}

// A row for the window, without its path and image yet.
TCurrWinItem RowFor(TWinInfo& info) {
    TCurrWinItem item;
    item.Title = info.GetTitle();
    item.Wnd = info.Wnd();
    item.ProcessId = info.GetProcessId();
    return item;
}

// Cheap questions first: hidden and owned windows are most of the desktop's
// windows, and their title and class need not be read.
bool IsListed(TWinInfo& info) {
    if (!info.GetVisible() || info.GetOwnerWnd()) return false;
    // Cloaked windows (another virtual desktop, a suspended app) and the
    // shell's own surfaces are not the user's windows.
    return CountsAsUserWindow(FactsOf(info)) && ui::LowerAnsi(info.GetTitle()) != "program manager";
}

}  // namespace

// What one refresh knows beyond the windows themselves. A window listed
// before, of the same process, keeps its row's path and, while its icon is the
// same, its image; every other process's path is read once. Images of the
// rows that are not carried over are given up when the refresh ends.
class TCurrWinList::RefreshState {
public:
    RefreshState(std::vector<TCurrWinItem> previous, TRowImages& images)
        : previous_(std::move(previous)), carried_(previous_.size(), false), images_(images) {
        for (size_t i = 0; i < previous_.size(); ++i) rowOf_.emplace(previous_[i].Wnd, i);
    }
    RefreshState(const RefreshState&) = delete;
    RefreshState& operator=(const RefreshState&) = delete;
    ~RefreshState() {
        for (size_t i = 0; i < previous_.size(); ++i)
            if (!carried_[i]) images_.Release(previous_[i].ImageIndex);
    }

    // The earlier row of this window in this process, not yet carried over.
    const TCurrWinItem* Before(HWND wnd, DWORD processId) const {
        auto found = rowOf_.find(wnd);
        if (found == rowOf_.end() || carried_[found->second]) return nullptr;
        const TCurrWinItem& row = previous_[found->second];
        return row.ProcessId == processId ? &row : nullptr;
    }
    // The earlier row's image goes to the new row.
    void Carry(const TCurrWinItem& row) { carried_[&row - previous_.data()] = true; }

    const std::wstring& FileName(DWORD processId, const TCurrWinItem* before) {
        auto known = fileNames_.find(processId);
        if (known != fileNames_.end()) return known->second;
        std::wstring path = before ? before->FileName : processId ? ProcessFileName(processId) : std::wstring();
        return fileNames_.emplace(processId, std::move(path)).first->second;
    }

private:
    std::vector<TCurrWinItem> previous_;
    std::vector<bool> carried_;
    TRowImages& images_;
    std::unordered_map<HWND, size_t> rowOf_;
    std::unordered_map<DWORD, std::wstring> fileNames_;
};

// The row for a snapshot in a refresh: its path read once per process, its
// icon copied once per icon, and both kept from the window's earlier row.
TCurrWinItem TCurrWinList::MakeCurrWinItem(TWinInfo& info, RefreshState& state) {
    TCurrWinItem item = RowFor(info);
    const TCurrWinItem* before = state.Before(item.Wnd, item.ProcessId);
    item.FileName = state.FileName(item.ProcessId, before);
    TIconKey icon = IconKeyOf(item.Wnd, item.ProcessId, item.FileName);
    if (before && RowImages.Shows(before->ImageIndex, icon)) {
        state.Carry(*before);
        item.ImageIndex = before->ImageIndex;
    } else {
        item.ImageIndex = RowImages.Acquire(icon);
    }
    return item;
}

// The path of a listed row of the process whose window is still there: then
// the process is the one the row was made for.
const std::wstring* TCurrWinList::KnownFileName(DWORD processId) const {
    for (const TCurrWinItem& row : CurrWinItems)
        if (row.ProcessId == processId && ProcessOf(row.Wnd) == processId) return &row.FileName;
    return nullptr;
}

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
      CurrWinImageList(ui::CreateSmallImageList(ui::WindowDpi(mainWindow))),
      RowImages(CurrWinImageList.get()),
      CurrWinMenu(ui::BuildPopupMenu(menus::kCurrWinMenu)) {
    lvCurrWin =
        ui::CreateOwnerDataListView(mainWindow, kIdCurrWin, {{"ウィンドウ名", 200}, {"ファイル名", 200}});
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
                               [this](int row) { return RowTitle(CurrWinItems[row]); });
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

// The icons are copied into a list of the new size as a refresh copies a new
// icon, once per distinct icon. The view lets go of the old list before it goes.
void TCurrWinList::OnDpiChanged(UINT dpi) {
    if (ui::HasSmallIconSize(CurrWinImageList.get(), dpi)) return;
    ui::OwnedImageList resized = ui::CreateSmallImageList(dpi);
    RowImages.Restart(resized.get());
    for (TCurrWinItem& row : CurrWinItems)
        row.ImageIndex = RowImages.Acquire(IconKeyOf(row.Wnd, row.ProcessId, row.FileName));
    ListView_SetImageList(lvCurrWin, resized.get(), LVSIL_SMALL);
    CurrWinImageList = std::move(resized);
    InvalidateRect(lvCurrWin, nullptr, TRUE);
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

std::vector<HWND> TCurrWinList::WindowsOfFile(const std::wstring& fileName) const {
    std::vector<HWND> windows;
    for (const TCurrWinItem& row : CurrWinItems)
        if (lstrcmpiW(row.FileName.c_str(), fileName.c_str()) == 0) windows.push_back(row.Wnd);
    return windows;
}

// A new count costs the list view several milliseconds under Wine; a refresh
// that finds as many rows as before only has them painted again.
void TCurrWinList::SetCurrWinRowCount() {
    int rows = static_cast<int>(CurrWinItems.size());
    if (ListView_GetItemCount(lvCurrWin) != rows) ListView_SetItemCountEx(lvCurrWin, rows, 0);
    InvalidateRect(lvCurrWin, nullptr, TRUE);
}

void TCurrWinList::AddCurrWinItem(TWinInfo& info) {
    TCurrWinItem item = RowFor(info);
    const std::wstring* known = item.ProcessId ? KnownFileName(item.ProcessId) : nullptr;
    item.FileName = known ? *known : info.GetFileName();
    item.ImageIndex = RowImages.Acquire(IconKeyOf(item.Wnd, item.ProcessId, item.FileName));
    CurrWinItems.push_back(item);
    SetCurrWinRowCount();
    Rules.ApplyRuleOf(item.Wnd, item.FileName);
}

void TCurrWinList::RemoveCurrWinItem(HWND wnd) {
    int index = IndexOfCurrWin(wnd);
    if (index < 0) return;
    RowImages.Release(CurrWinItems[index].ImageIndex);
    CurrWinItems.erase(CurrWinItems.begin() + index);
    SetCurrWinRowCount();
}

namespace {

// The owners of the visible windows, which every listed window's test has read
// anyway: what transparency rules need to find the windows they reach.
std::shared_ptr<const TOwnedWindows> OwnedWindowsOf(TWinInfoList& infos) {
    auto owned = std::make_shared<TOwnedWindows>();
    for (auto& info : infos)
        if (info->GetVisible())
            if (HWND owner = info->GetOwnerWnd()) owned->Add(owner, info->Wnd());
    return owned;
}

}  // namespace

// Rows are made again in the order the system lists the windows, with their
// titles read afresh; what belongs to an unchanged window, its process or its
// icon is not redone.
void TCurrWinList::NRefreshClick() {
    RefreshState state(std::move(CurrWinItems), RowImages);
    CurrWinItems.clear();
    TWinInfoList earlier = std::move(WinInfos);
    WinInfos.clear();
    EnumerateWindows(WinInfos, 0, true);
    TakeLastingFacts(earlier, WinInfos);
    TOwnedWindowsScope rules(OwnedWindowsOf(WinInfos));
    TIntegrityScope levels;
    for (auto& info : WinInfos) {
        if (!IsListed(*info)) continue;
        // Appended as AddCurrWinItem does, but the view learns the count once,
        // below: each new count costs the list view about 4 ms under Wine,
        // more than all the rest a row needs.
        CurrWinItems.push_back(MakeCurrWinItem(*info, state));
        Rules.ApplyRuleOf(info->Wnd(), CurrWinItems.back().FileName);
    }
    SetCurrWinRowCount();
}

// The title as the system keeps it now, in every script (read without a
// message); the row's own text stands in for a window that is gone. Shown in
// the first column and searched when the user types in the list.
std::wstring TCurrWinList::RowTitle(const TCurrWinItem& row) {
    wchar_t title[256];
    int length = InternalGetWindowText(row.Wnd, title, static_cast<int>(std::size(title)));
    return length > 0 ? std::wstring(title, length) : ui::FromAnsi(row.Title);
}

void TCurrWinList::lvCurrWinData(LVITEMW& item) {
    if (item.iItem < 0 || item.iItem >= static_cast<int>(CurrWinItems.size())) return;
    const TCurrWinItem& row = CurrWinItems[item.iItem];
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0)
        lstrcpynW(item.pszText, item.iSubItem == 0 ? RowTitle(row).c_str() : row.FileName.c_str(), item.cchTextMax);
    if (item.mask & LVIF_IMAGE) {
        RowImages.Draw(row.ImageIndex);
        item.iImage = row.ImageIndex;
    }
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
