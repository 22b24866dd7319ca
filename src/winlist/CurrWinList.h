// The current-window list subsystem: the first tab's list of the windows on
// the desktop (icon, title, executable), its pop-up menu and the commands on
// the selected row. It puts windows into the tray through the tray's named
// operations and asks the rules for the rule of each window it lists.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "ui/Handles.h"
#include "ui/MenuBuilder.h"
#include "winlist/CurrWinItem.h"
#include "winlist/RowImages.h"
#include "windows/WinInfo.h"

class TRules;
class TTray;

class TCurrWinList {
public:
    TCurrWinList(HWND mainWindow, TTray& tray, TRules& rules);
    TCurrWinList(const TCurrWinList&) = delete;
    TCurrWinList& operator=(const TCurrWinList&) = delete;

    HWND ListView() const { return lvCurrWin; }
    bool OnCommand(UINT id);
    // Notifications and the context menu of lvCurrWin.
    LRESULT OnNotify(NMHDR& hdr);
    void OnContextMenu(POINT screen);
    // The main window moved to another DPI: the rows' icons take its small-icon size.
    void OnDpiChanged(UINT dpi);

    // Operations for the other subsystems.
    void NRefreshClick();
    bool Contains(HWND wnd) const { return IndexOfCurrWin(wnd) >= 0; }
    // A row for the window, and its rule applied.
    void AddCurrWinItem(TWinInfo& info);
    void RemoveCurrWinItem(HWND wnd);
    // The listed windows whose executable is this file, in any letter case.
    std::vector<HWND> WindowsOfFile(const std::wstring& fileName) const;

private:
    class RefreshState;
    TCurrWinItem MakeCurrWinItem(TWinInfo& info, RefreshState& state);
    const std::wstring* KnownFileName(DWORD processId) const;
    HWND SelectedCurrWin() const;
    int IndexOfCurrWin(HWND wnd) const;
    void SetCurrWinRowCount();
    static std::wstring RowTitle(const TCurrWinItem& row);
    void lvCurrWinData(LVITEMW& item);
    bool lvCurrWinContextPopup();
    void lvCurrWinDblClick();
    void lvCurrWinMouseDown();

    void NAddTrayClick();
    void NTopMostClick();
    void N101Click(int percent);  // 透明度変更 > a percentage, for the selected window
    void NRegistClick();
    static const ui::Command<TCurrWinList> kCommands[];

    HWND MainWindow;
    TTray& Tray;
    TRules& Rules;
    HWND lvCurrWin = nullptr;
    ui::OwnedImageList CurrWinImageList;
    TRowImages RowImages;  // the images of CurrWinImageList, by icon
    ui::OwnedMenu CurrWinMenu;
    // What the pop-up menu showed for the selected window when it opened:
    // its commands toggle by that.
    bool MenuShowedInTray = false;
    bool MenuShowedTopMost = false;

    // Rows in order, and the snapshots of the last refresh.
    std::vector<TCurrWinItem> CurrWinItems;
    TWinInfoList WinInfos;
};
