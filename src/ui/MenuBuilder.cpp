#include "ui/MenuBuilder.h"

#include <string>

#include "ui/Text.h"

namespace ui {

namespace {

void AppendItem(HMENU menu, UINT id, const std::wstring& caption, HMENU submenu = nullptr) {
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_ID | MIIM_STRING | (submenu ? MIIM_SUBMENU : 0);
    mii.wID = id;
    mii.hSubMenu = submenu;
    std::wstring text = caption;
    mii.dwTypeData = text.data();
    InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &mii);
}

// Appends entries from `at` until the end or the EndSubmenu that closes this level.
size_t AppendEntries(HMENU menu, std::span<const MenuEntry> entries, size_t at) {
    using Kind = MenuEntry::Kind;
    while (at < entries.size()) {
        const MenuEntry& e = entries[at++];
        switch (e.kind) {
            case Kind::Item:
                AppendItem(menu, e.id, Utf8(e.caption));
                break;
            case Kind::Separator:
                AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
                break;
            case Kind::Submenu: {
                HMENU sub = CreatePopupMenu();
                at = AppendEntries(sub, entries, at);
                AppendItem(menu, e.id, Utf8(e.caption), sub);
                break;
            }
            case Kind::EndSubmenu:
                return at;
            case Kind::Percentages:
                for (int percent = 100; percent >= 10; percent -= 10)
                    AppendItem(menu, e.id + percent / 10, std::to_wstring(percent) + L"%");
                break;
        }
    }
    return at;
}

// The menu and position of the item with this identifier, searched depth first.
bool FindItem(HMENU menu, UINT id, HMENU& parent, int& position) {
    for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i) {
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_ID | MIIM_SUBMENU;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mii)) continue;
        if (mii.wID == id) {
            parent = menu;
            position = i;
            return true;
        }
        if (mii.hSubMenu && FindItem(mii.hSubMenu, id, parent, position)) return true;
    }
    return false;
}

}  // namespace

OwnedMenu BuildMenuBar(std::span<const MenuEntry> entries) {
    OwnedMenu menu(CreateMenu());
    AppendEntries(menu.get(), entries, 0);
    return menu;
}

OwnedMenu BuildPopupMenu(std::span<const MenuEntry> entries) {
    OwnedMenu menu(CreatePopupMenu());
    AppendEntries(menu.get(), entries, 0);
    return menu;
}

bool IsChecked(HMENU menu, UINT id) {
    HMENU parent;
    int position;
    return FindItem(menu, id, parent, position) &&
           (GetMenuState(parent, static_cast<UINT>(position), MF_BYPOSITION) & MF_CHECKED) != 0;
}

void SetChecked(HMENU menu, UINT id, bool checked) {
    HMENU parent;
    int position;
    if (FindItem(menu, id, parent, position))
        CheckMenuItem(parent, static_cast<UINT>(position), MF_BYPOSITION | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void SetEnabled(HMENU menu, UINT id, bool enabled) {
    HMENU parent;
    int position;
    if (FindItem(menu, id, parent, position))
        EnableMenuItem(parent, static_cast<UINT>(position), MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
}

HMENU FindSubmenu(HMENU menu, UINT id) {
    HMENU parent;
    int position;
    return FindItem(menu, id, parent, position) ? GetSubMenu(parent, position) : nullptr;
}

}  // namespace ui

namespace ui {

void PopupContextMenu(HMENU menu, HWND control, POINT screen, HWND owner) {
    if (screen.x == -1 && screen.y == -1) {
        RECT rc{};
        GetWindowRect(control, &rc);
        screen = {rc.left + 8, rc.top + 8};
    }
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, screen.x, screen.y, 0, owner, nullptr);
}

}  // namespace ui
