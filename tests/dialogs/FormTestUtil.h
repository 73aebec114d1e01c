#pragma once
// Helpers of the list dialog tests: run a modal form under a driver, set texts and press
// buttons from the driver's thread, read list and combo rows, pick a folder in the tree.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "dialogs/SelectByWildcardDialog.h"
#include "dialogs/SelectByWildcardDialogRes.h"
#include "platform/Form.h"
#include "platform/Text.h"
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

// Shows a form modally while script drives it (the form's window found by caption); the
// modal result is returned. The script must close the form.
inline int RunDialog(Form& form, const char* caption, const std::function<void(UiDriver&, HWND)>& script) {
    int result = mrNone;
    RunWithDriver([&] { result = form.ShowModal(nullptr); }, [&](UiDriver& driver) {
        HWND dialog = driver.WaitForWindow("#32770", caption);
        ASSERT_NE(dialog, nullptr) << caption;
        script(driver, dialog);
        if (!driver.WaitGone(dialog)) {
            ADD_FAILURE() << caption << " still open";
            PostMessageA(dialog, WM_CLOSE, 0, 0);
        }
    });
    return result;
}
