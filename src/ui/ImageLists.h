// Image lists of 16 x 16 icons kept in step with the rows of a list.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "ui/Handles.h"

namespace ui {

// A new list of 16 x 16 images, 32-bit colour with mask.
OwnedImageList CreateSmallImageList();
// Appends a copy of the icon, or of a blank image when there is none, so that
// image i always belongs to row i. The icon is not destroyed. Its position.
int AddIconImage(HIMAGELIST list, HICON icon);
// Copies the icon (or the blank image) over the image at `index`; -1 appends.
// The position written, -1 on failure.
int PutIconImage(HIMAGELIST list, int index, HICON icon);
// Moves the last image to `position`; the images from there on move up by one.
void MoveLastImageTo(HIMAGELIST list, int position);

}  // namespace ui
