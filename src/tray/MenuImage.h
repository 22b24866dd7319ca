// A menu item's picture made from an image-list image: a 32-bit bitmap with
// premultiplied alpha, as menus draw them, so no owner drawing is needed.
#pragma once
#include <windows.h>
#include <commctrl.h>

// A new bitmap the caller owns; 0 when the image cannot be drawn.
HBITMAP MenuBitmapFromImage(HIMAGELIST list, int index);
