// varnolt.exe /wipe D: — wipes the free space of a drive from a script, without a window.
#include <windows.h>

#include <atomic>

#include "app/CommandLine.h"
#include "engine/FreeSpaceWiper.h"
#include "platform/WideText.h"

namespace {

std::atomic<bool> CancelRequested{false};
HANDLE WipeEnded = nullptr;

// Ctrl+C and Ctrl+Break cancel; a closed console, log-off and shutdown cancel and wait until the
// wipe's files are gone (the system allows a few seconds).
BOOL WINAPI OnConsoleEvent(DWORD event) {
    CancelRequested = true;
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && WipeEnded) WaitForSingleObject(WipeEnded, 5000);
    return TRUE;
}

std::string Megabytes(ULONGLONG bytes) { return std::to_string(bytes / (1024 * 1024)) + " MB"; }

}  // namespace

int RunWipeCommand(const std::wstring& drive) {
    std::string root = VolumeRoot(Narrow(drive));
    if (root.empty()) {
        WriteConsoleLine(STD_ERROR_HANDLE, "Varnolt: " + Narrow(drive) + " is no drive letter, such as /wipe D:.");
        return ExitBadArguments;
    }
    std::string refusal = WipeRefusal(root);
    if (!refusal.empty()) {
        WriteConsoleLine(STD_ERROR_HANDLE, "Varnolt: " + refusal);
        return ExitFailed;
    }
    WriteConsoleLine(STD_OUTPUT_HANDLE, "Wiping the free space of " + root + " (Ctrl+C cancels).");
    WriteConsoleLine(STD_OUTPUT_HANDLE,
                     "On a solid-state drive overwriting cannot reach every copy: TRIM is the drive's business.");
    WipeEnded = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
    int lastTenth = -1;
    WipeOutcome outcome = WipeFreeSpace(root, [&](const WipeProgress& progress) {
        int tenth = progress.Total ? static_cast<int>(progress.Written * 10 / progress.Total) : 10;
        if (!progress.FillingTable && tenth != lastTenth && tenth < 10) {
            lastTenth = tenth;
            WriteConsoleLine(STD_OUTPUT_HANDLE, std::to_string(tenth * 10) + "%");
        }
        return !CancelRequested;
    });
    SetEvent(WipeEnded);
    SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
    switch (outcome.Result) {
    case WipeResult::Done:
        WriteConsoleLine(STD_OUTPUT_HANDLE, "Free space of " + root + " wiped: " + Megabytes(outcome.Written) +
                                                " of zeros, " + std::to_string(outcome.SmallFiles) + " small files.");
        return ExitWashed;
    case WipeResult::Cancelled:
        WriteConsoleLine(STD_ERROR_HANDLE, "Varnolt: wipe of " + root + " cancelled; its files are removed.");
        return ExitFailed;
    case WipeResult::Failed: break;
    }
    WriteConsoleLine(STD_ERROR_HANDLE, "Varnolt: wipe of " + root + " failed: " + outcome.Error);
    return ExitFailed;
}
