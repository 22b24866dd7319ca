// Image lists of small icons kept in step with the rows of a list. Their size
// is the small-icon size at the DPI of the window that shows them (16 x 16 at
// 96 DPI, 24 x 24 at 144); a window moved to another DPI makes its lists again.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "ui/Handles.h"

namespace ui {

// The icon resource at the small-icon size of the DPI; 0 when it is missing.
OwnedIcon LoadSmallIcon(HINSTANCE instance, int resourceId, UINT dpi);

// A new list of small-icon images at the DPI, 32-bit colour with mask.
OwnedImageList CreateSmallImageList(UINT dpi);
// True when the list's images have the small-icon size of the DPI.
bool HasSmallIconSize(HIMAGELIST list, UINT dpi);
// Appends a copy of the icon, or of a blank image when there is none, so that
// image i always belongs to row i. The icon is not destroyed. Its position.
int AddIconImage(HIMAGELIST list, HICON icon);
// Copies the icon (or the blank image) over the image at `index`; -1 appends.
// The position written, -1 on failure.
int PutIconImage(HIMAGELIST list, int index, HICON icon);
// Moves the last image to `position`; the images from there on move up by one.
void MoveLastImageTo(HIMAGELIST list, int position);

}  // namespace ui
