#pragma once
// The rows of a plain list box as texts, and the icon of a flat image button.
#include <windows.h>

#include <string>
#include <vector>

std::vector<std::string> ListBoxRows(HWND listBox);
void SetListBoxRows(HWND listBox, const std::vector<std::string>& rows);
// Appends text unless the list box holds it already (letter case and surrounding blanks
// ignored); true when it was added.
bool AppendUnlessListed(HWND listBox, const std::string& text);
// Lets the horizontal scroll bar reach the end of the longest row (again after a font change).
void FitHorizontalExtent(HWND listBox);
// Deletes the selected row; false when none is selected.
bool DeleteSelectedRow(HWND listBox);
// Exchange the selected row with the row above (below) it and select that row. Nothing happens
// without a selection or at the first (last) row.
void MoveItemUp(HWND listBox);
void MoveItemDown(HWND listBox);
