#pragma once
// Reading and setting the controls of a dialog that another thread runs.
#include <windows.h>

#include <string>

#include "tests/support/UiDriver.h"

inline void TypeText(HWND dialog, int id, const std::string& text) {
    DWORD_PTR r = 0;
    SendMessageTimeoutA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                        SMTO_ABORTIFHUNG, 5000, &r);
}

inline std::string ControlTextOf(HWND dialog, int id) { return UiDriver::Text(GetDlgItem(dialog, id)); }

inline bool CheckedOf(HWND dialog, int id) {
    DWORD_PTR r = 0;
    SendMessageTimeoutA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &r);
    return r == BST_CHECKED;
}

inline void SetCheckOf(HWND dialog, int id, bool checked) {
    DWORD_PTR r = 0;
    SendMessageTimeoutA(GetDlgItem(dialog, id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0,
                        SMTO_ABORTIFHUNG, 5000, &r);
}
