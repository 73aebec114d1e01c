#include "tests/support/Program.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include <gtest/gtest.h>

#include "platform/WideText.h"
#include "tests/support/Wait.h"

std::string StagedProgramDir() {
    // VARNOLT_STAGE names another staged folder (the 32-bit program's) for the same tests.
    const char* other = getenv("VARNOLT_STAGE");
    std::string dir = "Z:" + std::string(other && *other ? other : VARNOLT_STAGE_DIR) + "/";
    std::replace(dir.begin(), dir.end(), '/', '\\');
    return dir;
}

void CopyTree(const std::string& from, const std::string& to) {
    CreateDirectoryW(WidePath(to).c_str(), nullptr);
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(WidePath(from + "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = Narrow(data.cFileName, wcslen(data.cFileName));
        if (name == "." || name == "..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) CopyTree(from + name + "\\", to + name + "\\");
        else CopyFileW(WidePath(from + name).c_str(), WidePath(to + name).c_str(), FALSE);
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

void CopyStagedProgram(const std::string& to) {
    CopyTree(StagedProgramDir(), to);
    for (const char* left : {"order.ini", "log.htm"}) DeleteFileW(WidePath(to + left).c_str());
}

bool StartWithRetry(const std::string& exe, const std::function<bool()>& create) {
    if (create()) return true;
    const std::string note = "start of " + exe + " needed a retry: error " + std::to_string(GetLastError());
    printf("%s\n", note.c_str());
    testing::Test::RecordProperty("start_retry", note);
    if (create()) return true;
    printf("start of %s failed again: error %lu\n", exe.c_str(), GetLastError());
    return false;
}

int RunVarnolt(const std::string& programDir, const std::string& arguments, const std::string& outputFile) {
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE out = CreateFileA(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    std::string exe = programDir + "varnolt.exe";
    std::string commandLine = "\"" + exe + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out;
    startup.hStdError = out;
    PROCESS_INFORMATION info{};
    bool started = StartWithRetry(exe, [&] {
        return CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                              programDir.c_str(), &startup, &info) != FALSE;
    });
    CloseHandle(out);
    if (!started) return -2;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(info.hProcess, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(info.hProcess, &code);
    else TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
    return static_cast<int>(code);
}

RunningProgram::~RunningProgram() {
    if (!info_.hProcess) return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 1);
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
}

bool RunningProgram::Start(const std::string& programDir) {
    std::wstring exe = Widen(programDir + "varnolt.exe");
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    return StartWithRetry(programDir + "varnolt.exe", [&] {
        return CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              Widen(programDir).c_str(), &startup, &info_) != FALSE;
    });
}

namespace {
struct Search {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindMain(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char cls[64] = {};
    GetClassNameA(window, cls, sizeof(cls));
    if (pid == search->pid && strcmp(cls, "TFormMainVRNT") == 0 && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

HWND RunningProgram::WaitForMainWindow(int timeoutMs) const {
    Search search{info_.dwProcessId, nullptr};
    WaitUntil(
        [&] {
            EnumWindows(FindMain, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeoutMs);
    return search.found;
}

HWND RunningProgram::Open(const std::string& programDir) {
    return Start(programDir) ? WaitForMainWindow() : nullptr;
}

bool RunningProgram::Close(HWND window, int timeoutMs) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    return WaitExit(timeoutMs);
}

bool RunningProgram::WaitExit(int timeoutMs) {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

DWORD RunningProgram::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}
