#pragma once
// The texts a list-view window shows (UTF-8), read from any thread.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/WideText.h"

// One cell: the row's item (column 0) or a subitem.
inline std::string ListCell(HWND list, int row, int column = 0) {
    wchar_t text[1024] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 1024;
    DWORD_PTR n = 0;
    SendMessageTimeoutW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item), SMTO_ABORTIFHUNG, 5000, &n);
    return Narrow(text, wcslen(text));
}

// Every row, its first columns joined by "|".
inline std::vector<std::string> ListRows(HWND list, int columns = 1) {
    std::vector<std::string> rows;
    int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::string row = ListCell(list, i);
        for (int column = 1; column < columns; ++column) {
            row += '|';
            row += ListCell(list, i, column);
        }
        rows.push_back(row);
    }
    return rows;
}
