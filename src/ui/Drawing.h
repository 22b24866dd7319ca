// Drawing and measuring as the program's own painted controls and dialogs do
// it: the background the parent chooses, the focus cue, the size of a text.
#pragma once
#include <windows.h>

#include <string>

namespace ui {

// Fills the control's client area with the brush its parent gives for static
// controls (WM_CTLCOLORSTATIC, which may also set the text colour in dc), or
// with the button face when the parent gives none.
void FillParentBackground(HWND control, HDC dc);

// Whether the control has the keyboard focus and the keyboard cues say to
// show it (no focus rectangle after a mouse click until a key is used).
bool ShowsFocus(HWND control);

// The extent of a line of text in the font, and the font's metrics.
SIZE TextSize(HDC dc, HFONT font, const std::wstring& text);
TEXTMETRICW FontMetrics(HDC dc, HFONT font);

}  // namespace ui
