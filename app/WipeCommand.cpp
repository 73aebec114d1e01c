// varnolt.exe /wipe D: — wipes the free space of a drive from a script, without a window.
#include <windows.h>

#include <atomic>

#include "app/AppTexts.h"
#include "app/CommandLine.h"
#include "engine/FreeSpaceWiper.h"
#include "platform/Language.h"
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

std::string Megabytes(ULONGLONG bytes) { return FormatText(IDS_Megabytes, bytes / (1024 * 1024)); }

}  // namespace

int RunWipeCommand(const std::wstring& drive) {
    std::string root = VolumeRoot(Narrow(drive));
    if (root.empty()) {
        WriteConsoleLine(STD_ERROR_HANDLE, "Varnolt: " + FormatText(IDS_NoDriveLetter, Narrow(drive)));
        return ExitBadArguments;
    }
    std::string refusal = WipeRefusal(root);
    if (!refusal.empty()) {
        WriteConsoleLine(STD_ERROR_HANDLE, "Varnolt: " + refusal);
        return ExitFailed;
    }
    WriteConsoleLine(STD_OUTPUT_HANDLE, FormatText(IDS_WipingFreeSpace, root));
    WriteConsoleLine(STD_OUTPUT_HANDLE, Text(IDS_WipeSsdNote));
    WipeEnded = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
    int lastTenth = -1;
    WipeOutcome outcome = WipeFreeSpace(root, [&](const WipeProgress& progress) {
        int tenth = progress.Total ? static_cast<int>(progress.Written * 10 / progress.Total) : 10;
        if (!progress.FillingTable && tenth != lastTenth && tenth < 10) {
            lastTenth = tenth;
            WriteConsoleLine(STD_OUTPUT_HANDLE, FormatText(IDS_WipePercent, tenth * 10));
        }
        return !CancelRequested;
    });
    SetEvent(WipeEnded);
    SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
    switch (outcome.Result) {
        case WipeResult::Done:
            WriteConsoleLine(STD_OUTPUT_HANDLE,
                             FormatText(IDS_WipeDone, root, Megabytes(outcome.Written), outcome.SmallFiles));
            return ExitWashed;
        case WipeResult::Cancelled:
            WriteConsoleLine(STD_ERROR_HANDLE, "Varnolt: " + FormatText(IDS_WipeCancelled, root));
            return ExitFailed;
        case WipeResult::Failed: break;
    }
    WriteConsoleLine(STD_ERROR_HANDLE, "Varnolt: " + FormatText(IDS_WipeFailed, root, outcome.Error));
    return ExitFailed;
}
