// Console output of the command line: a console takes characters, a file or a pipe UTF-8.
#include "app/ConsoleOutput.h"

#include "platform/WideText.h"

namespace {
// The console of the process that started this one (cmd.exe, PowerShell), opened once; a
// program started without one (the Task Scheduler, a shortcut) has none.
HANDLE ParentConsole() {
    static HANDLE console = [] {
        if (!AttachConsole(ATTACH_PARENT_PROCESS)) return INVALID_HANDLE_VALUE;
        return CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    }();
    return console;
}

HANDLE OutputHandle(DWORD which) {
    HANDLE handle = GetStdHandle(which);
    return handle && handle != INVALID_HANDLE_VALUE ? handle : ParentConsole();
}
}  // namespace

bool HasConsoleOutput(DWORD which) { return OutputHandle(which) != INVALID_HANDLE_VALUE; }

// Says nothing without a handle or a console. A console takes the characters themselves,
// whatever its code page; a file or a pipe takes UTF-8, as the program always wrote there
// (English is plain ASCII either way).
void WriteConsoleLine(DWORD which, const std::string& text) {
    HANDLE handle = OutputHandle(which);
    if (handle == INVALID_HANDLE_VALUE) return;
    std::string line = text + "\r\n";
    DWORD written = 0, mode = 0;
    if (GetConsoleMode(handle, &mode)) {
        std::wstring wide = Widen(line);
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    WriteFile(handle, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}
