#pragma once
// Layout checks of a real window: every visible control inside its parent's client area, no two
// visible controls overlapping (a group box or tab control may hold others), and every caption
// fitting its control in the control's own font.
#include <windows.h>

#include <string>
#include <vector>

// One line per fault, naming the window's caption and the controls' ids and texts.
std::vector<std::string> LayoutFaults(HWND window);
// The images of a window's picture buttons (BM_GETIMAGE icons): their sizes, one per button.
std::vector<int> ButtonImageSizes(HWND window);
// An icon's width in pixels; 0 for none.
int IconWidth(HICON icon);
