// order.ini at exit when the close comes while the main window is still starting: a close can
// reach the window before its catalogue is read (a message sent to it while start-up waits on
// another process, or one an error box dispatches).
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/support/MainWindowFixture.h"
#include "tests/support/Wait.h"

namespace {
HWND ClosedWhileStarting = nullptr;

// Closes the main window from inside its start-up, once it sets its icons.
LRESULT CALLBACK CloseOnSetIcon(int code, WPARAM wParam, LPARAM lParam) {
    auto* call = reinterpret_cast<CWPSTRUCT*>(lParam);
    char className[32] = {};
    if (code == HC_ACTION && call->message == WM_SETICON && !ClosedWhileStarting &&
        GetClassNameA(call->hwnd, className, sizeof(className)) && strcmp(className, MainWindowClass) == 0) {
        ClosedWhileStarting = call->hwnd;
        SendMessageA(call->hwnd, WM_CLOSE, 0, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
}  // namespace

class OrderAtExit : public MainWindowFixture {
protected:
    std::string SystemItems() const override {
        return "[Common]\r\nTotal=2\r\nItem0=Alpha\r\nItem1=Beta\r\n[Alpha]\r\nIsActive=1\r\n[Beta]\r\nIsActive=1\r\n";
    }
    void AddFiles() override {
        WriteTextFile(user, "[Common]\r\nTotal=1\r\nItem0=Mine\r\n[Mine]\r\nIsActive=1\r\n");
        // The user's order: Beta first and unchecked; Alpha and Mine follow as the files list them.
        WriteTextFile(dir.Path() + "order.ini", "[Common]\r\nTotal=1\r\nItem0=Beta<|>" + system + "\r\n[Beta<|>" +
                                                    system + "]\r\ntxtfilename=" + system + "\r\nIsActive=0\r\n");
    }
};

TEST_F(OrderAtExit, ACloseDuringStartUpWritesTheMergedCatalogue) {
    ClosedWhileStarting = nullptr;
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, CloseOnSetIcon, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    // The window finishes starting with the merged catalogue, then the close goes through.
    Open();
    UnhookWindowsHookEx(hook);
    ASSERT_NE(ClosedWhileStarting, nullptr) << "the close was not sent during start-up";
    EXPECT_TRUE(WaitUntil([&] { return form->Handle() == nullptr; }));
    const std::string row = "\r\ntxtfilename=" + system + "\r\nIsActive=";
    EXPECT_EQ(ReadTextFile(dir.Path() + "order.ini"),
              "[Common]\r\nTotal=3\r\nItem0=Beta<|>" + system + "\r\nItem1=Alpha<|>" + system + "\r\nItem2=Mine<|>" +
                  user + "\r\n[Beta<|>" + system + "]" + row + "0\r\nIsSpecial=0\r\n[Alpha<|>" + system + "]" + row +
                  "1\r\nIsSpecial=0\r\n[Mine<|>" + user + "]\r\ntxtfilename=" + user + "\r\nIsActive=1\r\nIsSpecial=0\r\n");
}
