// The rules by executable file: adding, replacing, deleting, finding and
// applying them, and their stored text.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "rules/Rules.h"

#include "MenuDescription.h"
#include "ProgramContract.h"
#include "prefs/Preferences.h"
#include "tray/Tray.h"
#include "ui/Dpi.h"
#include "ui/ImageLists.h"
#include "ui/ListView.h"
#include "rules/RulePath.h"
#include "windows/Transparency.h"
#include "windows/WindowHelpers.h"

namespace {

bool IsExistingFile(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The text from the last "." to the end, unless a "\" or ":" follows it.
bool HasExeExtension(const std::wstring& path) {
    size_t dot = path.find_last_of(L'.');
    if (dot == std::wstring::npos || path.find_first_of(L"\\:", dot) != std::wstring::npos) return false;
    return CompareStringOrdinal(path.c_str() + dot, -1, L".exe", -1, TRUE) == CSTR_EQUAL;
}

TRegWinItem ItemOf(const StoredRule& values) {
    TRegWinItem item;
    static_cast<StoredRule&>(item) = values;
    item.Path = RulePath(values);
    DropStaleExactPath(item);
    return item;
}

// Gives the rules from `first` on their images, image i for rule i. Every
// rule names an ".exe" file and the icon of a file's type depends on the
// extension alone, so the icon is drawn into the list once and copied from
// there: drawing one costs about half a millisecond under Wine, a copy almost
// nothing.
void AddRuleImages(HIMAGELIST list, std::vector<TRegWinItem>& rules, size_t first) {
    if (first >= rules.size()) return;
    ImageList_SetImageCount(list, static_cast<UINT>(rules.size()));
    int drawn = ui::AddIconImage(list, GetFileIcon(rules[first].Path).Handle());
    for (size_t i = first; i < rules.size(); ++i) {
        ImageList_Copy(list, static_cast<int>(i), list, drawn, ILCF_MOVE);
        rules[i].ImageIndex = static_cast<int>(i);
    }
    ImageList_Remove(list, drawn);
}

// The rule list's columns; files written before the fifth store four.
const std::vector<ui::Column> kRegWinColumns = {
    {"ファイル名", 205}, {"透明度", 50}, {"タスクトレイ化", 85}, {"最前面表示", 75}, {"開いたら隠す", 85}};
constexpr size_t kColumnsOfOlderFiles = 4;

}  // namespace

TRules::TRules(HWND mainWindow, TTray& tray, WindowsOfFile windowsOfFile, std::function<void()> rulesChanged)
    : MainWindow(mainWindow),
      Tray(tray),
      WindowsOfFile_(std::move(windowsOfFile)),
      RulesChanged(std::move(rulesChanged)),
      RegWinImageList(ui::CreateSmallImageList(ui::WindowDpi(mainWindow))),
      lvRegMenu(ui::BuildPopupMenu(menus::kRegWinMenu)) {
    lvRegWin = ui::CreateOwnerDataListView(mainWindow, kIdRegWin, kRegWinColumns);
    ListView_SetImageList(lvRegWin, RegWinImageList.get(), LVSIL_SMALL);
}

// The rules' images are drawn again at the new size; the view lets go of the
// old list before it goes.
void TRules::OnDpiChanged(UINT dpi) {
    if (ui::HasSmallIconSize(RegWinImageList.get(), dpi)) return;
    ui::OwnedImageList resized = ui::CreateSmallImageList(dpi);
    AddRuleImages(resized.get(), RegWinItems, 0);
    UndrawnFrom = kAllDrawn;
    ListView_SetImageList(lvRegWin, resized.get(), LVSIL_SMALL);
    RegWinImageList = std::move(resized);
    InvalidateRect(lvRegWin, nullptr, TRUE);
}

int TRules::IndexOfRule(const std::wstring& fileName) const {
    for (size_t i = 0; i < RegWinItems.size(); ++i)
        if (RegWinItems[i].Path == fileName) return static_cast<int>(i);
    return -1;
}

void TRules::AddRule(const StoredRule& values) {
    const std::wstring path = RulePath(values);
    if (!IsExistingFile(path) || !HasExeExtension(path)) return;
    PutRule(values);
    // A copy: treating other programs' windows waits on them, and the list may
    // change meanwhile.
    const TRegWinItem rule = RegWinItems[IndexOfRule(path)];
    for (HWND wnd : WindowsOfFile_(rule.Path)) ApplyRule(wnd, rule);
}

void TRules::ApplyRuleOf(HWND wnd, const std::wstring& fileName) {
    const bool first = FirstMeeting(wnd);
    int index = IndexOfRule(fileName);
    if (index < 0) return;
    const TRegWinItem& rule = RegWinItems[index];
    ApplyRule(wnd, rule);
    if (first && rule.Tray && rule.HideOnOpen) Tray.HideWnd(wnd);
}

// The set forgets windows that are gone once it has grown, so it stays as
// large as the desktop's windows, not as all windows ever seen.
bool TRules::FirstMeeting(HWND wnd) {
    if (MetWindows.size() >= MetPruneAt) {
        std::erase_if(MetWindows, [](HWND met) { return !IsWindow(met); });
        MetPruneAt = std::max<size_t>(kMetPruneAtLeast, 2 * MetWindows.size());
    }
    return MetWindows.insert(wnd).second;
}

// Adds the rule, or replaces the rule of the same file in its row; the icon of
// the file's type goes to the rule's position in the image list.
void TRules::PutRule(const StoredRule& values) {
    TRegWinItem rule = ItemOf(values);
    if (!HasExeExtension(rule.Path)) return;
    DrawRuleImages();  // the images move below
    int existing = IndexOfRule(rule.Path);
    if (existing >= 0) DeleteRule(existing, true);
    rule.ImageIndex = ui::AddIconImage(RegWinImageList.get(), GetFileIcon(rule.Path).Handle());
    RegWinItems.push_back(rule);
    if (existing >= 0) {
        std::rotate(RegWinItems.begin() + existing, RegWinItems.end() - 1, RegWinItems.end());
        ui::MoveLastImageTo(RegWinImageList.get(), existing);
        RegWinItems[existing].ImageIndex = existing;
    }
    SetRegWinRowCount();
    RulesChanged();
}

void TRules::DeleteRule(int index, bool keepImageIndexes) {
    if (index < 0 || index >= static_cast<int>(RegWinItems.size())) return;
    DrawRuleImages();
    ImageList_Remove(RegWinImageList.get(), index);
    if (!keepImageIndexes)
        for (size_t i = index + 1; i < RegWinItems.size(); ++i) --RegWinItems[i].ImageIndex;
    RegWinItems.erase(RegWinItems.begin() + index);
    SetRegWinRowCount();
    RulesChanged();
}

void TRules::ApplyRule(HWND wnd, const TRegWinItem& rule) {
    // All of the rule or none of it.
    if (!Tray.IsStarted() || !Tray.MayControl(wnd)) return;
    // Asked first: the window's own thread takes the change whenever it is
    // free, while the tray entry is made here.
    bool topMost = (GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    if (rule.TopMost != topMost) ToggleTopMost(wnd, topMost);
    Tray.ApplyTrayRule(wnd, rule.Tray, rule.HideIcon);
    Tray.SetTransparency(wnd, rule.Transparency);
}

// Stored rules are kept even when their file is missing now (a drive not yet
// mounted, an update in progress): such a rule matches no window until the
// file is back, and it is written back at exit. A later line for the same
// file replaces the earlier rule in its row. The rows are made once all lines
// are read, their icons once the list first shows one.
void TRules::LoadRules(const std::string& text) {
    const size_t first = RegWinItems.size();
    for (const StoredRule& values : ReadRegistWindows(text, IsAnsiLeadByte)) {
        TRegWinItem rule = ItemOf(values);
        if (!HasExeExtension(rule.Path)) continue;
        int index = IndexOfRule(rule.Path);
        if (index < 0) {
            index = static_cast<int>(RegWinItems.size());
            RegWinItems.emplace_back();
        }
        RegWinItems[index] = std::move(rule);
    }
    ImageList_SetImageCount(RegWinImageList.get(), static_cast<UINT>(RegWinItems.size()));
    for (size_t i = first; i < RegWinItems.size(); ++i) RegWinItems[i].ImageIndex = static_cast<int>(i);
    UndrawnFrom = std::min(UndrawnFrom, first);
    SetRegWinRowCount();
}

void TRules::DrawRuleImages() {
    if (UndrawnFrom < RegWinItems.size()) AddRuleImages(RegWinImageList.get(), RegWinItems, UndrawnFrom);
    UndrawnFrom = kAllDrawn;
}

void TRules::LoadColumnOrder(const std::string& text) {
    ColumnLayout layout = ui::GetColumnLayout(lvRegWin);
    ApplyColumnOrderText(text, layout);
    ui::SetColumnLayout(lvRegWin, layout);
    StoredColumns = std::max(kColumnsOfOlderFiles, ColumnOrderEntries(text));
}

std::string TRules::ColumnOrderText() const {
    std::vector<int> defaults;
    for (const ui::Column& column : kRegWinColumns) defaults.push_back(column.width);
    return ::ColumnOrderText(ui::GetColumnLayout(lvRegWin), StoredColumns, defaults);
}

std::string TRules::RulesText() const {
    std::vector<StoredRule> rules(RegWinItems.begin(), RegWinItems.end());
    return WriteRegistWindows(rules, IsAnsiLeadByte);
}

void TRules::SetRegWinRowCount() {
    ListView_SetItemCountEx(lvRegWin, static_cast<int>(RegWinItems.size()), 0);
    InvalidateRect(lvRegWin, nullptr, TRUE);
}
