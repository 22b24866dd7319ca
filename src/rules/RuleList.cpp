// The second tab: the rules, one row each, and the commands that create, edit
// and delete them through the rule editor.
#include <windows.h>
#include <commctrl.h>

#include "MenuDescription.h"
#include "rules/RuleEditorDialog.h"
#include "rules/RulePath.h"
#include "rules/Rules.h"
#include "ui/ListView.h"
#include "ui/Text.h"
#include "windows/WindowHelpers.h"

const ui::Command<TRules> TRules::kCommands[] = {
    {ID_NNew, &TRules::NNewClick},
    {ID_NRegDelete, &TRules::NRegDeleteClick},
    {ID_NClear, &TRules::NClearClick},
};

bool TRules::OnCommand(UINT id) {
    return ui::RunCommand(*this, kCommands, id);
}

LRESULT TRules::OnNotify(NMHDR& hdr) {
    if (hdr.code == LVN_GETDISPINFOW) {
        lvRegWinData(reinterpret_cast<NMLVDISPINFOW&>(hdr).item);
    } else if (hdr.code == NM_DBLCLK) {
        lvRegWinDblClick();
    } else if (hdr.code == LVN_ODFINDITEMW) {
        auto& find = reinterpret_cast<NMLVFINDITEMW&>(hdr);
        return ui::FindRow(find.lvfi, find.iStart, static_cast<int>(RegWinItems.size()),
                           [this](int row) { return RegWinItems[row].Path; });
    }
    return 0;
}

void TRules::OnContextMenu(POINT screen) {
    lvRegWinContextPopup();
    ui::PopupContextMenu(lvRegMenu.get(), lvRegWin, screen, MainWindow);
}

namespace {

// The truth value a column from the third on shows.
bool RuleFlag(const StoredRule& rule, int column) {
    switch (column) {
        case 2:
            return rule.Tray;
        case 3:
            return rule.TopMost;
        default:
            return rule.Tray && rule.HideOnOpen;
    }
}

}  // namespace

void TRules::lvRegWinData(LVITEMW& item) {
    if (item.iItem < 0 || item.iItem >= static_cast<int>(RegWinItems.size())) return;
    const TRegWinItem& rule = RegWinItems[item.iItem];
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        std::wstring text;
        switch (item.iSubItem) {
            case 0:
                text = rule.Path;
                break;
            case 1:
                text = std::to_wstring(rule.Transparency) + L"%";
                break;
            default:
                text = ui::Utf8(RuleFlag(rule, item.iSubItem) ? "する" : "しない");
                break;
        }
        lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
    }
    if (item.mask & LVIF_IMAGE) {
        DrawRuleImages();
        item.iImage = rule.ImageIndex;
    }
}

void TRules::lvRegWinContextPopup() {
    ui::SetEnabled(lvRegMenu.get(), ID_NRegDelete, ui::SelectedRow(lvRegWin) >= 0);
}

// Every command that makes or changes a rule ends here.
void TRules::EditRule(const StoredRule& prefill) {
    if (std::optional<StoredRule> values = TForm3::Edit(MainWindow, prefill)) AddRule(*values);
}

void TRules::NNewClick() {
    EditRule(StoredRule{});
}

void TRules::RegisterProgram(const std::wstring& fileName) {
    StoredRule prefill;
    SetRulePath(prefill, fileName);
    EditRule(prefill);
}

void TRules::lvRegWinDblClick() {
    int row = ui::SelectedRow(lvRegWin);
    if (row < 0 || row >= static_cast<int>(RegWinItems.size())) return;
    EditRule(RegWinItems[row]);
}

void TRules::NRegDeleteClick() {
    int row = ui::SelectedRow(lvRegWin);
    if (row >= 0) DeleteRule(row, false);
}

void TRules::NClearClick() {
    RegWinItems.clear();
    ImageList_RemoveAll(RegWinImageList.get());
    UndrawnFrom = kAllDrawn;
    SetRegWinRowCount();
    RulesChanged();
}
