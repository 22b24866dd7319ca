// The platform side of transparency and always-on-top for one window.
#pragma once
#include <windows.h>

// The layered alpha of a percentage: percentage * 255 / 100, rounded toward
// zero. Values outside 10..100 (a hand-edited rule) are clamped first: 0 would
// make a window invisible and unclickable, more than 100 would overflow.
BYTE TransparencyAlpha(int percent);

// Makes the window layered with the alpha; at 255 it is made ordinary again.
void ApplyAlpha(HWND wnd, BYTE alpha);

// Always-on-top off when `isTopMost`, on otherwise; place and size stay.
void ToggleTopMost(HWND wnd, bool isTopMost);

// True when giving the window this alpha would change it: it is layered now,
// or the alpha is not 255.
bool TransparencyChanges(HWND wnd, BYTE alpha);

// Gives the alpha to the window and to the visible, titled windows it owns
// directly; windows without size are left as they are.
void ApplyTransparency(HWND wnd, BYTE alpha);
