// The main window's menus: the main menu shown on the tool bar, the pop-up
// menus of the two lists, the per-window tray menu and the own icon's menu.
#pragma once
#include <windows.h>

#include "ui/Handles.h"

struct TMenus {
    TMenus();

    ui::OwnedMenu MainMenu;
    ui::OwnedMenu CurrWinMenu;
    ui::OwnedMenu lvRegMenu;
    ui::OwnedMenu WndMenu;
    ui::OwnedMenu TrayMenu;
    // Submenus, owned by their parents.
    HMENU NFile = nullptr;
    HMENU N7 = nullptr;
    HMENU NHelp = nullptr;
    HMENU NTransTray = nullptr;
    HMENU NTrans = nullptr;
    // NTraySelf is an invisible item: only its check state exists.
    bool NTraySelfChecked = false;
};

bool IsChecked(HMENU menu, UINT id);
void SetChecked(HMENU menu, UINT id, bool checked);
void SetEnabled(HMENU menu, UINT id, bool enabled);
void SetSubmenuEnabled(HMENU parent, HMENU submenu, bool enabled);
