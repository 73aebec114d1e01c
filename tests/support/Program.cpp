#include "tests/support/Program.h"

#include <algorithm>

#include "platform/WideText.h"

std::string StagedProgramDir() {
    std::string dir = "Z:" VARNOLT_STAGE_DIR "/";
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
    return CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          Widen(programDir).c_str(), &startup, &info_) != FALSE;
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
    DWORD start = GetTickCount();
    for (;;) {
        Search search{info_.dwProcessId, nullptr};
        EnumWindows(FindMain, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        if (static_cast<int>(GetTickCount() - start) > timeoutMs) return nullptr;
        Sleep(50);
    }
}

bool RunningProgram::WaitExit(int timeoutMs) {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

DWORD RunningProgram::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}
