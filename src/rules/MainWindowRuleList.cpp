// The second tab: the rules, one row each, and the commands that create, edit
// and delete them through the rule editor.
#include <windows.h>
#include <commctrl.h>

#include "app/MainWindow.h"
#include "app/MenuIds.h"
#include "rules/RuleEditorDialog.h"
#include "ui/ListView.h"
#include "ui/Text.h"
#include "windows/WindowHelpers.h"

bool TPelmoraMainWindow::OnRulesCommand(UINT id) {
    switch (id) {
        case ID_NNew:
            NNewClick();
            return true;
        case ID_NRegist:
            NRegistClick();
            return true;
        case ID_NRegDelete:
            NRegDeleteClick();
            return true;
        case ID_NClear:
            NClearClick();
            return true;
        default:
            return false;
    }
}

bool TPelmoraMainWindow::OnRulesNotify(NMHDR& hdr, LRESULT&) {
    if (hdr.hwndFrom != lvRegWin) return false;
    if (hdr.code == LVN_GETDISPINFOW)
        lvRegWinData(reinterpret_cast<NMLVDISPINFOW&>(hdr).item);
    else if (hdr.code == NM_DBLCLK)
        lvRegWinDblClick();
    return true;
}

bool TPelmoraMainWindow::OnRulesContextMenu(HWND control, POINT screen) {
    if (control != lvRegWin) return false;
    lvRegWinContextPopup();
    PopupAt(Menus_.lvRegMenu.get(), control, screen);
    return true;
}

void TPelmoraMainWindow::lvRegWinData(LVITEMW& item) {
    if (item.iItem < 0 || item.iItem >= static_cast<int>(RegWinItems.size())) return;
    const TRegWinItem& rule = RegWinItems[item.iItem];
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        std::wstring text;
        switch (item.iSubItem) {
            case 0:
                text = ui::FromAnsi(rule.FileName);
                break;
            case 1:
                text = std::to_wstring(rule.Transparency) + L"%";
                break;
            default:
                text = ui::Utf8((item.iSubItem == 2 ? rule.Tray : rule.TopMost) ? "する" : "しない");
                break;
        }
        lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
    }
    if (item.mask & LVIF_IMAGE) item.iImage = rule.ImageIndex;
}

void TPelmoraMainWindow::lvRegWinContextPopup() {
    SetEnabled(Menus_.lvRegMenu.get(), ID_NRegDelete, ui::SelectedRow(lvRegWin) >= 0);
}

// Every command that makes or changes a rule ends here.
void TPelmoraMainWindow::EditRule(const StoredRule& prefill) {
    if (std::optional<StoredRule> values = TForm3::Edit(Handle_, prefill)) AddRule(*values);
}

void TPelmoraMainWindow::NNewClick() {
    EditRule(StoredRule{});
}

void TPelmoraMainWindow::NRegistClick() {
    HWND wnd = SelectedCurrWin();
    if (!wnd) return;
    StoredRule prefill;
    prefill.FileName = GetWindowFileName(wnd);  // read afresh, not the row's text
    EditRule(prefill);
}

void TPelmoraMainWindow::lvRegWinDblClick() {
    int row = ui::SelectedRow(lvRegWin);
    if (row < 0 || row >= static_cast<int>(RegWinItems.size())) return;
    EditRule(RegWinItems[row]);
}

void TPelmoraMainWindow::NRegDeleteClick() {
    int row = ui::SelectedRow(lvRegWin);
    if (row >= 0) DeleteRule(row, false);
}

void TPelmoraMainWindow::NClearClick() {
    RegWinItems.clear();
    ImageList_RemoveAll(RegWinImageList.get());
    SetRegWinRowCount();
}
