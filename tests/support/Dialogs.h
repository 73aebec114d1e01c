#pragma once
// A dialog opened by a command or shown modally, driven by a script from the driver's thread.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>

#include "platform/Form.h"
#include "tests/support/UiDriver.h"

using DialogScript = std::function<void(UiDriver&, HWND)>;

// Runs command on the calling thread while script drives the dialog it opens (found by caption);
// the script must close it. after, when given, runs on the driver's thread once it has gone (for
// the boxes the command shows next).
inline void RunDialog(const std::function<void()>& command, const char* caption, const DialogScript& script,
                      const std::function<void(UiDriver&)>& after = nullptr) {
    RunWithDriver(command, [&](UiDriver& driver) {
        HWND dialog = driver.WaitForWindow("#32770", caption);
        ASSERT_NE(dialog, nullptr) << caption;
        script(driver, dialog);
        if (!driver.WaitGone(dialog)) {
            ADD_FAILURE() << caption << " still open";
            PostMessageA(dialog, WM_CLOSE, 0, 0);
            return;
        }
        if (after) after(driver);
    });
}

// Shows a form modally under script; its modal result.
inline int RunDialog(Form& form, const char* caption, const DialogScript& script) {
    int result = mrNone;
    RunDialog([&] { result = form.ShowModal(nullptr); }, caption, script);
    return result;
}
