#pragma once
// Display scaling: sizes are given at 96 dpi and scaled to the dpi of the window they are for.
#include <windows.h>

// The dpi of a window's monitor (per-monitor aware), or of the screen when the system
// cannot tell per window.
int WindowDpi(HWND window);
// A length at 96 dpi scaled to dpi, rounded to the nearest pixel.
inline int ScaleForDpi(int length96, int dpi) { return MulDiv(length96, dpi, 96); }
