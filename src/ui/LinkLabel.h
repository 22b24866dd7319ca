// A one-line label made of a bold run followed by a hyperlink run. A click on
// the link, or Enter or Space while the label has the focus, calls the
// owner's handler; a click elsewhere on the label does nothing.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace ui {

struct LinkLabelText {
    std::wstring bold;  // drawn in the bold form of the label's font
    std::wstring link;  // drawn underlined in LinkLabelColour()
};

// The colour of links: the system's link colour when it reads well on the
// dialog background.
COLORREF LinkLabelColour();

// Creates the label as a child of parent; give it a font with WM_SETFONT.
// The window owns its state and frees it when it is destroyed. Returns 0 on
// failure.
HWND CreateLinkLabel(HWND parent, int id, const RECT& bounds, LinkLabelText text,
                     std::function<void()> onLinkClick);

// The part of the label that reacts to the mouse, in client coordinates.
RECT LinkLabelLinkRect(HWND label);

}  // namespace ui
