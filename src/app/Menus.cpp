#include "app/Menus.h"

#include <string>

#include "app/MenuIds.h"
#include "ui/Text.h"

namespace {

void Item(HMENU menu, UINT id, const char* caption) {
    AppendMenuW(menu, MF_STRING, id, ui::Utf8(caption).c_str());
}

void Separator(HMENU menu) {
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
}

HMENU Submenu(HMENU menu, const char* caption) {
    HMENU sub = CreatePopupMenu();
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), ui::Utf8(caption).c_str());
    return sub;
}

// "100%" down to "10%", tagged by their percentage through the command id.
void TransparencyItems(HMENU menu, UINT base) {
    for (int percent = 100; percent >= 10; percent -= 10)
        Item(menu, base + percent / 10, (std::to_string(percent) + "%").c_str());
}

}  // namespace

TMenus::TMenus()
    : MainMenu(CreateMenu()),
      CurrWinMenu(CreatePopupMenu()),
      lvRegMenu(CreatePopupMenu()),
      WndMenu(CreatePopupMenu()),
      TrayMenu(CreatePopupMenu()) {
    NFile = Submenu(MainMenu.get(), "ファイル(&F)");
    Item(NFile, ID_NRefresh, "ウィンドウ一覧の更新");
    Item(NFile, ID_NExit, "終了(&X)");
    N7 = Submenu(MainMenu.get(), "表示(&V)");
    Item(N7, ID_NShowWin, "起動時にウインドウを表示");
    Item(N7, ID_NIconHide, "最小化してないときはアイコンを表示しない");
    Item(N7, ID_NTaskBarHide, "常にタスクバーに表示しないようにする");
    NHelp = Submenu(MainMenu.get(), "ヘルプ(&H)");
    Item(NHelp, ID_NViewHelp, "ヘルプ");
    Separator(NHelp);
    Item(NHelp, ID_N3, "Pelmoraについて");

    Item(CurrWinMenu.get(), ID_NAddTray, "タスクトレイに入れる");
    Item(CurrWinMenu.get(), ID_NTopMost, "常に最前面表示にする");
    NTransTray = Submenu(CurrWinMenu.get(), "透明度変更");
    TransparencyItems(NTransTray, ID_NTransTrayBase);
    Separator(CurrWinMenu.get());
    Item(CurrWinMenu.get(), ID_NRegist, "自動ウィンドウ制御に登録");

    Item(lvRegMenu.get(), ID_NNew, "新規");
    Separator(lvRegMenu.get());
    Item(lvRegMenu.get(), ID_NRegDelete, "削除");
    Item(lvRegMenu.get(), ID_NClear, "全て削除");

    Item(WndMenu.get(), ID_NShowPelmora, "Pelmoraを表示する");
    Separator(WndMenu.get());
    Item(WndMenu.get(), ID_NNoTray, "アイコンを表示しない");
    Item(WndMenu.get(), ID_NTopMostTray, "常に最善面表示にする");
    NTrans = Submenu(WndMenu.get(), "透明度変更");
    TransparencyItems(NTrans, ID_NTransBase);
    Item(WndMenu.get(), ID_NRestore, "元のサイズに戻す(&R)");
    Separator(WndMenu.get());
    Item(WndMenu.get(), ID_NDeleteTray, "タスクトレイから出す(&T)");
    Separator(WndMenu.get());
    Item(WndMenu.get(), ID_NWndClose, "閉じる(&C)");

    Separator(TrayMenu.get());
    Item(TrayMenu.get(), ID_NClose, "終了(&X)");
}

bool IsChecked(HMENU menu, UINT id) {
    return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void SetChecked(HMENU menu, UINT id, bool checked) {
    CheckMenuItem(menu, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void SetEnabled(HMENU menu, UINT id, bool enabled) {
    EnableMenuItem(menu, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void SetSubmenuEnabled(HMENU parent, HMENU submenu, bool enabled) {
    int n = GetMenuItemCount(parent);
    for (int i = 0; i < n; ++i)
        if (GetSubMenu(parent, i) == submenu)
            EnableMenuItem(parent, static_cast<UINT>(i), MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
}
