#pragma once
// Helpers of the list dialog tests: set texts and press buttons from the driver's thread, read
// list and combo rows, pick a folder in the tree.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "dialogs/SelectByWildcardDialog.h"
#include "dialogs/SelectByWildcardDialogRes.h"
#include "platform/Form.h"
#include "platform/Text.h"
#include "tests/support/Dialogs.h"
#include "tests/support/TempDir.h"
#include "tests/support/UiDriver.h"

inline void SetText(HWND control, const std::string& text) {
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// Presses a button and returns once its handler has run (unless it opened a modal window).
inline void SendClick(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

inline std::vector<std::string> ListBoxTexts(HWND listBox) {
    std::vector<std::string> rows;
    int count = static_cast<int>(SendMessageA(listBox, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[1024] = {};
        SendMessageA(listBox, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        rows.push_back(text);
    }
    return rows;
}

inline std::vector<std::string> ComboRows(HWND combo) {
    std::vector<std::string> rows;
    int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[1024] = {};
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        rows.push_back(text);
    }
    return rows;
}

// Selects a file-system folder in the select-by-wildcard dialog's tree.
inline bool SelectTreeFolder(HWND dialog, const std::string& path) {
    return SendMessageA(dialog, SelectFolderMessage, 0, reinterpret_cast<LPARAM>(path.c_str())) == TRUE;
}
