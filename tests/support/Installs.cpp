#include "tests/support/Installs.h"

#include <shlobj.h>

#include <algorithm>
#include <utility>

#include "tests/support/Program.h"
#include "tests/support/TempDir.h"

std::string HostPath(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path;
}

int RunCommand(std::string commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!StartWithRetry(commandLine, [&] {
            return CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                  &info) != FALSE;
        }))
        return -2;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(info.hProcess, 120000) == WAIT_OBJECT_0) GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
    return static_cast<int>(code);
}

WORD Machine(const std::string& exe) {
    std::string bytes = ReadTextFile(exe);
    if (bytes.size() < 0x40) return 0;
    DWORD at = *reinterpret_cast<const DWORD*>(bytes.data() + 0x3c);
    if (bytes.size() < at + 6) return 0;
    return *reinterpret_cast<const WORD*>(bytes.data() + at + 4);
}

int VarnoltEntries() {
    int count = 0;
    const std::pair<HKEY, REGSAM> places[] = {
        {HKEY_CURRENT_USER, 0}, {HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY}, {HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY}};
    for (auto [root, view] : places) {
        HKEY uninstall;
        if (RegOpenKeyExA(root, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", 0, KEY_READ | view,
                          &uninstall) != ERROR_SUCCESS)
            continue;
        char name[256], shown[256];
        for (DWORD i = 0, n = sizeof(name);
             RegEnumKeyExA(uninstall, i, name, &n, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
             ++i, n = sizeof(name)) {
            DWORD size = sizeof(shown), hidden = 0, hiddenSize = sizeof(hidden);
            if (RegGetValueA(uninstall, name, "DisplayName", RRF_RT_REG_SZ, nullptr, shown, &size) != ERROR_SUCCESS ||
                std::string(shown) != "Varnolt")
                continue;
            RegGetValueA(uninstall, name, "SystemComponent", RRF_RT_REG_DWORD, nullptr, &hidden, &hiddenSize);
            if (hidden != 1) ++count;
        }
        RegCloseKey(uninstall);
    }
    return count;
}

std::string ShellFolder(int csidl) {
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

std::string StartMenuShortcut() { return ShellFolder(CSIDL_PROGRAMS) + "\\Varnolt.lnk"; }

std::string EventMessageFile() {
    char buffer[1024];
    DWORD size = sizeof(buffer);
    if (RegGetValueA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\Varnolt",
                     "EventMessageFile", RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, buffer,
                     &size) != ERROR_SUCCESS)
        return {};
    return buffer;
}
