// What the program's modal dialogs share: an empty in-memory template (the
// controls are made at pixel positions when the dialog starts), and the
// placement centred over the owner.
#pragma once
#include <windows.h>

#include <vector>

namespace ui {

// A fixed dialog frame (caption, close box, no resizing, no minimise or
// maximise box) with the UTF-8 caption and no controls, for
// DialogBoxIndirectParamW.
std::vector<WORD> EmptyDialogTemplate(const char* utf8Caption);

// Gives the dialog a client area of the size, centred over the owner (over
// the screen when the owner is missing, hidden or minimised) and kept within
// the work area of the owner's screen.
void PlaceDialog(HWND dialog, HWND owner, int clientWidth, int clientHeight);

}  // namespace ui
