#include "tests/support/UiDriver.h"

#include "tests/support/Wait.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {
struct FindArgs {
    const char* className;
    const char* caption;
    bool messageBox;
    HWND found;
};

BOOL CALLBACK FindWindowOfProcess(HWND window, LPARAM param) {
    auto* args = reinterpret_cast<FindArgs*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
    char cls[256] = {};
    GetClassNameA(window, cls, sizeof(cls));
    if (args->className && strcmp(cls, args->className) != 0) return TRUE;
    if (args->caption && UiDriver::Text(window) != args->caption) return TRUE;
    if (args->messageBox && !GetDlgItem(window, 0xFFFF)) return TRUE;
    args->found = window;
    return FALSE;
}
}  // namespace

HWND UiDriver::Find(const char* className, const char* caption, bool messageBox) const {
    FindArgs args{className, caption, messageBox, nullptr};
    EnumWindows(FindWindowOfProcess, reinterpret_cast<LPARAM>(&args));
    return args.found;
}

HWND UiDriver::WaitForWindow(const char* className, const char* caption, int timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = Find(className, caption, false)) != nullptr; }, timeoutMs);
    return found;
}

HWND UiDriver::WaitForMessageBox(int timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = Find("#32770", nullptr, true)) != nullptr; }, timeoutMs);
    return found;
}

HWND UiDriver::ShownBeforeIdle(bool messageBox, int timeoutMs) {
    HWND found = nullptr;
    bool ended = WaitUntil(
        [&] {
            // Idle read before the search: a window shown before idle is still up when seen idle.
            bool idle = uiIdle_;
            return (found = Find("#32770", nullptr, messageBox)) != nullptr || idle;
        },
        timeoutMs);
    if (!ended) ADD_FAILURE() << "the UI thread's action did not end";
    return found;
}

bool UiDriver::WaitClicksHandled(int timeoutMs) {
    return WaitUntil([&] { return clicksHandled_ >= clicksSent_; }, timeoutMs);
}

void CALLBACK UiDriver::Handled(HWND, UINT, ULONG_PTR data, LRESULT) {
    ++reinterpret_cast<UiDriver*>(data)->clicksHandled_;
}

HWND UiDriver::ClickForMessageBox(HWND dialog, int buttonId, int timeoutMs) {
    // Sent with a callback: the driver hears when the handler has returned, and is not
    // blocked while the handler shows a box.
    const int click = ++clicksSent_;
    if (!SendMessageCallbackA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                              reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)), Handled,
                              reinterpret_cast<ULONG_PTR>(this))) {
        ADD_FAILURE() << "the click was not sent";
        return nullptr;
    }
    // The callback comes while this thread takes its messages (WaitUntil takes them).
    HWND found = nullptr;
    bool ended = WaitUntil(
        [&] {
            bool handled = clicksHandled_ >= click;
            return (found = Find("#32770", nullptr, true)) != nullptr || handled;
        },
        timeoutMs);
    if (!ended) ADD_FAILURE() << "the click's handler did not return";
    return found;
}

bool UiDriver::WaitGone(HWND window, int timeoutMs) {
    return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs);
}

std::string UiDriver::Text(HWND window) {
    char text[4096] = {};
    // WM_GETTEXT through SendMessageTimeout: the window belongs to another thread.
    DWORD_PTR n = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        5000, &n);
    return std::string(text);
}

std::string UiDriver::MessageBoxText(HWND box) {
    // Every box says something: an empty read is a box not ready yet, or a busy machine.
    std::string text;
    WaitUntil([&] { return !(text = Text(GetDlgItem(box, 0xFFFF))).empty() || !IsWindow(box); }, 2000);
    return text;
}

void UiDriver::Click(HWND dialog, int buttonId) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
}

UINT UiDriver::MessageBoxIcon(HWND box) {
    HWND icon = GetDlgItem(box, 0x0440);  // the icon control of a message box
    if (!icon) return 0;
    HICON shown = reinterpret_cast<HICON>(SendMessageA(icon, STM_GETICON, 0, 0));
    if (shown == LoadIcon(nullptr, IDI_WARNING)) return MB_ICONWARNING;
    if (shown == LoadIcon(nullptr, IDI_ERROR)) return MB_ICONERROR;
    if (shown == LoadIcon(nullptr, IDI_INFORMATION)) return MB_ICONINFORMATION;
    if (shown == LoadIcon(nullptr, IDI_QUESTION)) return MB_ICONQUESTION;
    return 0;
}

std::vector<int> UiDriver::ButtonIds(HWND dialog) {
    std::vector<int> ids;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char cls[64] = {};
        GetClassNameA(child, cls, sizeof(cls));
        if (_stricmp(cls, "Button") == 0 && IsWindowVisible(child)) ids.push_back(GetDlgCtrlID(child));
    }
    return ids;
}

void RunWithDriver(const std::function<void()>& uiAction, const std::function<void(UiDriver&)>& script) {
    UiDriver driver;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        script(driver);
        done = true;
    });
    uiAction();
    // What the action posted is handled before the driver hears that it has ended.
    MSG msg;
    for (int i = 0; i < 10000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    driver.uiIdle_ = true;
    // Keep the UI thread responsive until the script has finished.
    while (!done) WaitUntil([&] { return done.load(); });
    worker.join();
}

std::vector<std::string> AnswerBoxes(const std::function<void()>& command, const std::vector<int>& answers) {
    std::vector<std::string> shown;
    RunWithDriver(command, [&](UiDriver& driver) {
        for (int answer : answers) {
            HWND box = driver.WaitForMessageBox();
            ASSERT_NE(box, nullptr) << "box " << shown.size() + 1 << " did not come";
            UINT icon = UiDriver::MessageBoxIcon(box);
            shown.push_back(std::string(icon == MB_ICONERROR ? "E:" : icon == MB_ICONWARNING ? "W:" : "I:") +
                            UiDriver::MessageBoxText(box));
            driver.Answer(box, answer);
            EXPECT_TRUE(driver.WaitGone(box));
        }
        if (HWND box = driver.ShownBeforeIdle(true)) {
            ADD_FAILURE() << "unexpected box: " << UiDriver::MessageBoxText(box);
            driver.Answer(box, IDOK);
        }
    });
    return shown;
}
