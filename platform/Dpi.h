#pragma once
// Display scaling: sizes are given at 96 dpi and scaled to the dpi of the window they are for.
// A window moved to a monitor of another scale is laid out again (RescaleWindow).
#include <windows.h>

// The dpi of a window's monitor (per-monitor aware), or of the screen when the system
// cannot tell per window.
int WindowDpi(HWND window);
// A length at 96 dpi scaled to dpi, rounded to the nearest pixel.
inline int ScaleForDpi(int length96, int dpi) { return MulDiv(length96, dpi, 96); }
// A system metric (SM_CXVSCROLL, ...) at a dpi.
int SystemMetricForDpi(int index, int dpi);
// The window rectangle around a client rectangle, for a window's styles at a dpi.
void AdjustWindowRectForDpi(RECT& rect, HWND window, int dpi);

// The largest size the program's icons hold that is not above pixels (16 at least): icons are
// shown at a size drawn for it, never stretched.
int IconSizeFor(int pixels);
// One of the program's icons at IconSizeFor(pixels), loaded once per size; shared (from any
// thread), never destroyed.
HICON LoadIconSized(int iconId, int pixels);

// Keeps the system's own dialog scaling out, so that RescaleWindow alone lays a form out again.
void TakeOverDialogScaling(HWND dialog);

// Lays a window out again for a new dpi: its client size and every child's position and size
// scaled by newDpi / oldDpi, the window placed at suggested (when given), and the children that
// use the form's font (ownedFont, or the window's own font while ownedFont is null) given a
// scaled copy of it in ownedFont. The caller deletes ownedFont after the window is destroyed.
void RescaleWindow(HWND window, int oldDpi, int newDpi, const RECT* suggested, HFONT& ownedFont);
