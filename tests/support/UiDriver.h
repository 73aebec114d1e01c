#pragma once
// Drives windows from a second thread while the test's UI thread runs a handler that shows
// them: finds a dialog by caption or a message box, reads its texts, clicks its buttons.
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

class UiDriver {
public:
    // A visible top-level window of this process with the class (nullptr: any) and caption
    // (nullptr: any); nullptr after the timeout.
    HWND WaitForWindow(const char* className, const char* caption, int timeoutMs = 10000);
    // A message box (class #32770 holding the text control 0xFFFF).
    HWND WaitForMessageBox(int timeoutMs = 10000);
    // Waits until the window is gone; false on timeout.
    bool WaitGone(HWND window, int timeoutMs = 10000);
    // A dialog (a message box when messageBox) shown before the UI thread's action of
    // RunWithDriver has ended and the UI thread has handled what was posted to it; nullptr
    // when none was. For "no window came" without waiting a fixed time.
    HWND ShownBeforeIdle(bool messageBox, int timeoutMs = 30000);
    // Clicks a button of a dialog; returns the message box its handler shows, or nullptr once
    // the handler has returned without one.
    HWND ClickForMessageBox(HWND dialog, int buttonId, int timeoutMs = 10000);
    // Waits until the handlers of every ClickForMessageBox click have returned; false on timeout.
    bool WaitClicksHandled(int timeoutMs = 10000);

    static std::string MessageBoxText(HWND box);
    static std::string Text(HWND window);
    // Clicks a button of a dialog by posting its notification.
    static void Click(HWND dialog, int buttonId);
    // Answers a message box with IDYES, IDNO or IDOK.
    void Answer(HWND box, int button) { Click(box, button); }
    // Icon of a message box: MB_ICONWARNING, MB_ICONERROR, MB_ICONINFORMATION or 0.
    static UINT MessageBoxIcon(HWND box);
    // Ids of the buttons a dialog shows.
    static std::vector<int> ButtonIds(HWND dialog);

private:
    friend void RunWithDriver(const std::function<void()>&, const std::function<void(UiDriver&)>&);
    HWND Find(const char* className, const char* caption, bool messageBox) const;
    static void CALLBACK Handled(HWND, UINT, ULONG_PTR data, LRESULT);

    std::atomic<bool> uiIdle_{false};
    int clicksSent_ = 0;
    int clicksHandled_ = 0;
};

// Runs uiAction on the calling thread (pumping messages as its windows do) while script runs
// on a driver thread; returns when both have ended. The driver's failures are gtest failures.
void RunWithDriver(const std::function<void()>& uiAction, const std::function<void(UiDriver&)>& script);

// Runs a command that shows message boxes, answering them in turn with the given buttons; each
// box as "I:", "W:" or "E:" (information, warning, error icon) and its text. A box beyond the
// answers fails the test.
std::vector<std::string> AnswerBoxes(const std::function<void()>& command, const std::vector<int>& answers = {});
