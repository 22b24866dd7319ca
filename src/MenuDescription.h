// The program's menus as data: every command's identifier, and each menu's
// items in order with their captions. The subsystems build their menus from
// these tables and answer for the commands in them; tests send the same
// identifiers. A new command is one identifier and one line here, and one
// line in its subsystem's command table.
#pragma once
#include <windows.h>

#include "ui/MenuBuilder.h"

enum MenuId : UINT {
    // MainMenu (shown on the tool bar)
    ID_NFile = 90,  // ファイル(&F)
    ID_N7,          // 表示(&V)
    ID_NHelp,       // ヘルプ(&H)
    ID_NRefresh = 100,
    ID_NExit,
    ID_NShowWin,
    ID_NIconHide,
    ID_NTaskBarHide,
    ID_NViewHelp,
    ID_N3,  // About
    ID_NHotKeys,  // 表示 > ホットキーの設定...: the options dialog of the keys
    // CurrWinMenu: the current-window list's pop-up menu
    ID_NAddTray = 200,
    ID_NTopMost,
    ID_NRegist,
    ID_NTransTray,  // its transparency submenu
    // CurrWinMenu transparency items: base + percentage / 10 (N101 .. N1001)
    ID_NTransTrayBase = 300,
    // lvRegMenu: the rule list's pop-up menu
    ID_NNew = 400,
    ID_NRegDelete,
    ID_NClear,
    // WndMenu: a tray window's own menu
    ID_NShowPelmora = 500,
    ID_NNoTray,
    ID_NTopMostTray,
    ID_NRestore,
    ID_NDeleteTray,
    ID_NWndClose,
    ID_NTrans,  // its transparency submenu
    // WndMenu transparency items: base + percentage / 10 (N102 .. N1002)
    ID_NTransBase = 600,
    // TrayMenu: the own icon's menu
    ID_NClose = 700,
    ID_NRestoreAll,  // every window in the tray back on screen
    // TrayMenu: one item per window in the tray
    ID_TrayWndFirst = 1000,
    ID_TrayWndLast = 9999,
};

// The percentage that a transparency item stands for (its tag), 0 for other items.
inline int TransparencyTag(UINT id, UINT base) {
    return id > base && id <= base + 10 ? static_cast<int>(id - base) * 10 : 0;
}

namespace menus {

using ui::MenuEntry;
using K = ui::MenuEntry::Kind;

inline constexpr MenuEntry kMainMenu[] = {
    {K::Submenu, ID_NFile, "ファイル(&F)"},
    {K::Item, ID_NRefresh, "ウィンドウ一覧の更新"},
    {K::Item, ID_NExit, "終了(&X)"},
    {K::EndSubmenu},
    {K::Submenu, ID_N7, "表示(&V)"},
    {K::Item, ID_NShowWin, "起動時にウインドウを表示"},
    {K::Item, ID_NIconHide, "最小化してないときはアイコンを表示しない"},
    {K::Item, ID_NTaskBarHide, "常にタスクバーに表示しないようにする"},
    {K::Separator},
    {K::Item, ID_NHotKeys, "ホットキーの設定..."},
    {K::EndSubmenu},
    {K::Submenu, ID_NHelp, "ヘルプ(&H)"},
    {K::Item, ID_NViewHelp, "ヘルプ"},
    {K::Separator},
    {K::Item, ID_N3, "Pelmoraについて"},
    {K::EndSubmenu},
};

inline constexpr MenuEntry kCurrWinMenu[] = {
    {K::Item, ID_NAddTray, "タスクトレイに入れる"},
    {K::Item, ID_NTopMost, "常に最前面表示にする"},
    {K::Submenu, ID_NTransTray, "透明度変更"},
    {K::Percentages, ID_NTransTrayBase},
    {K::EndSubmenu},
    {K::Separator},
    {K::Item, ID_NRegist, "自動ウィンドウ制御に登録"},
};

inline constexpr MenuEntry kRegWinMenu[] = {
    {K::Item, ID_NNew, "新規"},
    {K::Separator},
    {K::Item, ID_NRegDelete, "削除"},
    {K::Item, ID_NClear, "全て削除"},
};

inline constexpr MenuEntry kWndMenu[] = {
    {K::Item, ID_NShowPelmora, "Pelmoraを表示する"},
    {K::Separator},
    {K::Item, ID_NNoTray, "アイコンを表示しない"},
    {K::Item, ID_NTopMostTray, "常に最善面表示にする"},
    {K::Submenu, ID_NTrans, "透明度変更"},
    {K::Percentages, ID_NTransBase},
    {K::EndSubmenu},
    {K::Item, ID_NRestore, "元のサイズに戻す(&R)"},
    {K::Separator},
    {K::Item, ID_NDeleteTray, "タスクトレイから出す(&T)"},
    {K::Separator},
    {K::Item, ID_NWndClose, "閉じる(&C)"},
};

// The windows in the tray are inserted above these, newest first.
inline constexpr MenuEntry kTrayMenu[] = {
    {K::Separator},
    {K::Item, ID_NRestoreAll, "すべてのウィンドウを元に戻す(&A)"},
    {K::Item, ID_NClose, "終了(&X)"},
};

}  // namespace menus
