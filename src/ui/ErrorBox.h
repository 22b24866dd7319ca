// The standard error box: caption "Pelmora", error icon, one OK button.
#pragma once
#include <windows.h>

#include <string>

namespace ui {

// The text shown for an error message: a "." is added when the last byte sorts
// after "." (so "... found" gets one and "... (no valid name)" does not).
std::string ErrorBoxText(const std::string& message);
// Shows the error message (ANSI code page text: it may hold paths and values).
void ShowErrorBox(HWND owner, const std::string& message);

}  // namespace ui
