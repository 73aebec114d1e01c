// Schedule timer, hot keys, the end of the session, minimise to the tray and the tray click.
#include <windows.h>

#include "app/AppTexts.h"
#include "app/CloseBrowsers.h"
#include "app/MainWindow.h"
#include "app/MainWindowRes.h"
#include "engine/FreeSpaceWiper.h"
#include "engine/WashEngine.h"
#include "platform/Error.h"
#include "platform/Language.h"
#include "platform/WideText.h"
#include "settings/AppPaths.h"
#include "settings/Schedule.h"
#include "settings/SettingsStore.h"

namespace {
// Vista and later let a program tell why it holds up the end of the session.
using ShutdownReasonCreate = BOOL(WINAPI*)(HWND, LPCWSTR);
using ShutdownReasonDestroy = BOOL(WINAPI*)(HWND);

class ShutdownBlockReason {
public:
    ShutdownBlockReason(HWND window, const std::wstring& reason) : window_(window) {
        HMODULE user32 = GetModuleHandleA("user32.dll");
        auto create = reinterpret_cast<ShutdownReasonCreate>(
            reinterpret_cast<void*>(GetProcAddress(user32, "ShutdownBlockReasonCreate")));
        destroy_ = reinterpret_cast<ShutdownReasonDestroy>(
            reinterpret_cast<void*>(GetProcAddress(user32, "ShutdownBlockReasonDestroy")));
        created_ = create && destroy_ && create(window, reason.c_str());
    }
    ~ShutdownBlockReason() {
        if (created_) destroy_(window_);
    }
    ShutdownBlockReason(const ShutdownBlockReason&) = delete;
    ShutdownBlockReason& operator=(const ShutdownBlockReason&) = delete;

private:
    HWND window_;
    ShutdownReasonDestroy destroy_ = nullptr;
    bool created_ = false;
};
// The log names an automatic wash in the language in use; the event keeps the English name.
std::string TriggerText(const std::string& trigger) {
    if (trigger == "Timed wash") return Text(IDS_TimedWash);
    if (trigger == "Wash at shutdown") return Text(IDS_WashAtShutdown);
    return trigger;
}
}  // namespace

void MainWindow::OnScheduleTick(double now) {
    if (washRunning_) return;
    switch (NextTimedWashStep(Options.LastAutoWashTime, now, Options.IntervalMinutes)) {
        case TimedWashStep::Wait:
        case TimedWashStep::Never:
            return;
        case TimedWashStep::Restart:
            // The clock was set back: the interval starts again from now.
            Options.LastAutoWashTime = now;
            return;
        case TimedWashStep::Wash:
            break;
    }
    DWORD started = GetTickCount();
    std::string failure = AutomaticWash("Timed wash", true);
    // The next timed wash is due one interval after this one ended, failed or not.
    Options.LastAutoWashTime = now + (GetTickCount() - started) / 86400000.0;
    if (!failure.empty()) LogAutomaticWashFailure("Timed wash", failure);
}

void MainWindow::LogAutomaticWashFailure(const std::string& trigger, const std::string& failure) {
    RunCaught([&] {
        AbandonWashLog();
        OpenWashLog();
        WriteWashLogRow(WashRowKind::SpecialItem, Options.QuickDelete, false, TriggerText(trigger), failure);
        CloseWashLog();
    });
    AbandonWashLog();
}

void MainWindow::RegisterHotKeys(bool on) {
    if (!on) {
        ::UnregisterHotKeys(Handle());
        return;
    }
    RunCaught([this] { ::RegisterHotKeys(Handle(), SettingsFilePath()); });
}

void MainWindow::CloseBrowsers() {
    std::string failure = HideBrowserWindows();
    if (!failure.empty()) ShowErrorBox(Handle(), failure);
}

void MainWindow::OnHotKey(int id) {
    if (id == CloseBrowsersHotKey.Id) {
        CloseBrowsers();
    } else if (id == WashHotKey.Id) {
        // A wash asked for while another command runs is skipped, with a beep as its sign.
        if (washRunning_) MessageBeep(MB_ICONWARNING);
        else AutomaticWash("Hot key wash");
    }
}

void MainWindow::QueryEndSession() {
    if (!(Options.ScheduleSet & ScheduleAtShutdown) || washRunning_) return;
    ShutdownBlockReason reason(Handle(), Widen(Text(IDS_ShutdownReason)));
    std::string failure = AutomaticWash("Wash at shutdown", true);
    if (!failure.empty()) LogAutomaticWashFailure("Wash at shutdown", failure);
}

void MainWindow::EndSession() {
    // The process ends without its window being destroyed: do what closing it does.
    if (WashLogIsOpen()) AbandonWashLog();
    CancelRunningWipes();
    SetScheduleTimer(false);
    RegisterHotKeys(false);
    if (!closed_) {
        closed_ = true;
        FormClose();
    }
    // As at exit: order.ini written anew and put in place whole.
    RunCaught([this] { CatalogueToStore().RewriteFile(OrderFilePath()); });
}

void MainWindow::OnMinimize() {
    if (Options.StartMinimized) {
        Options.StartMinimized = false;
        return;
    }
    if (IsWindowVisible(Handle())) ShowWindow(Handle(), SW_HIDE);
    else OnTrayIconClick();
}

void MainWindow::OnTrayIconClick() {
    ShowWindow(Handle(), SW_SHOW);
    if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
    SetForegroundWindow(Handle());
}

bool MainWindow::ScheduleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    (void)lParam;
    switch (msg) {
        case WM_TIMER:
            if (wParam == BrowserWatchTimerId) {
                OnBrowserWatchTick();
                return true;
            }
            if (wParam != ScheduleTimerId) return false;
            OnScheduleTick(NowAsDateTime());
            return true;
        case WM_HOTKEY:
            OnHotKey(static_cast<int>(wParam));
            return true;
        case WM_QUERYENDSESSION:
            QueryEndSession();
            result = TRUE;
            return true;
        case WM_ENDSESSION:
            if (wParam) EndSession();
            result = 0;
            return true;
        case WM_SIZE:
            // The system may report one minimise more than once.
            if (wParam == SIZE_MINIMIZED && !minimized_) {
                minimized_ = true;
                OnMinimize();
            } else if (wParam != SIZE_MINIMIZED) {
                minimized_ = false;
            }
            return false;
        default:
            return false;
    }
}
