// A group box whose caption is a check box: checking it enables every control
// inside the group, unchecking disables them (their own check states stay).
// The group is the parent of its controls; create them with the group as
// parent, at positions relative to its top left corner. It answers
// BM_GETCHECK and BM_SETCHECK like a check box; setting the state from code
// enables and disables the same way. When the user toggles the caption, the
// group's parent gets WM_COMMAND with BN_CLICKED from the group's identifier.
// Commands and colour requests of the controls inside go on to that parent,
// and the dialog's Tab key walks into the group (WS_EX_CONTROLPARENT).
#pragma once
#include <windows.h>

#include <string>

namespace ui {

// Creates the group, checked or not. Returns 0 on failure.
HWND CreateCheckGroupBox(HWND parent, int id, const RECT& bounds, const std::wstring& caption, bool checked);

bool IsGroupChecked(HWND group);
void SetGroupChecked(HWND group, bool checked);

// The caption's check box (a tab stop of the dialog).
HWND GroupCheckBox(HWND group);

}  // namespace ui
