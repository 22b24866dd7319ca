// Command identifiers of the main window's menu items.
#pragma once
#include <windows.h>

enum MenuId : UINT {
    // MainMenu
    ID_NRefresh = 100,
    ID_NExit,
    ID_NShowWin,
    ID_NIconHide,
    ID_NTaskBarHide,
    ID_NViewHelp,
    ID_N3,
    // CurrWinMenu
    ID_NAddTray = 200,
    ID_NTopMost,
    ID_NRegist,
    // CurrWinMenu transparency items: base + percentage / 10 (N101 .. N1001)
    ID_NTransTrayBase = 300,
    // lvRegMenu
    ID_NNew = 400,
    ID_NRegDelete,
    ID_NClear,
    // WndMenu
    ID_NShowPelmora = 500,
    ID_NNoTray,
    ID_NTopMostTray,
    ID_NRestore,
    ID_NDeleteTray,
    ID_NWndClose,
    // WndMenu transparency items: base + percentage / 10 (N102 .. N1002)
    ID_NTransBase = 600,
    // TrayMenu
    ID_NClose = 700,
    // TrayMenu: one item per window in the tray, tagged with the window
    ID_TrayWndFirst = 1000,
    ID_TrayWndLast = 9999,
};

// The percentage that a transparency item stands for (its tag), 0 for other items.
inline int TransparencyTag(UINT id, UINT base) {
    return id > base && id <= base + 10 ? static_cast<int>(id - base) * 10 : 0;
}
