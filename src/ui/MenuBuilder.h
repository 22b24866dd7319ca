// Menus built from tables of entries, their ticks and enabled states, and the
// tables that map a command identifier to the handler that answers for it.
#pragma once
#include <windows.h>

#include <span>

#include "ui/Handles.h"

namespace ui {

struct MenuEntry {
    enum class Kind : unsigned char {
        Item,         // a command with its caption (UTF-8)
        Separator,    // a line
        Submenu,      // opens a submenu with this caption; the entries up to EndSubmenu go in it
        EndSubmenu,   // closes the submenu
        Percentages,  // "100%" down to "10%", identifiers id + 10 down to id + 1
    };
    Kind kind;
    UINT id = 0;
    const char* caption = nullptr;
};

// A menu bar (CreateMenu) or a pop-up menu (CreatePopupMenu) holding the entries.
OwnedMenu BuildMenuBar(std::span<const MenuEntry> entries);
OwnedMenu BuildPopupMenu(std::span<const MenuEntry> entries);

// The item with this identifier, in the menu or any of its submenus; submenus
// are found by the identifier their entry gave them.
bool IsChecked(HMENU menu, UINT id);
void SetChecked(HMENU menu, UINT id, bool checked);
void SetEnabled(HMENU menu, UINT id, bool enabled);
// The submenu opened by the entry with this identifier, 0 if none.
HMENU FindSubmenu(HMENU menu, UINT id);

// One line of a subsystem's command table: the identifier and the member that
// answers for it.
template <typename T>
struct Command {
    UINT id;
    void (T::*handler)();
};

// Runs the handler of `id` from the table; false when the table has no such command.
template <typename T, size_t N>
bool RunCommand(T& owner, const Command<T> (&table)[N], UINT id) {
    for (const Command<T>& command : table)
        if (command.id == id) {
            (owner.*command.handler)();
            return true;
        }
    return false;
}

}  // namespace ui

namespace ui {

// Opens a control's context menu at `screen`; from the keyboard (-1, -1) it
// opens at the control's corner. Commands go to `owner` as WM_COMMAND.
void PopupContextMenu(HMENU menu, HWND control, POINT screen, HWND owner);

}  // namespace ui
