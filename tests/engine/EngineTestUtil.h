#pragma once
// Helpers of the engine and special item tests: a registry test key, host file links, the
// program directory.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/CheckListModel.h"
#include "platform/Registry.h"
#include "settings/AppPaths.h"

// HKEY_CURRENT_USER\Software\VarnoltTests\<unique>, removed with its subkeys when it dies.
class TestKey {
public:
    explicit TestKey(const std::string& name)
        : path_("Software\\VarnoltTests\\" + name + "_" + std::to_string(GetCurrentProcessId())) {
        DeleteKeyTree(HKEY_CURRENT_USER, path_);
        Create("");
    }
    ~TestKey() { DeleteKeyTree(HKEY_CURRENT_USER, path_); }
    TestKey(const TestKey&) = delete;
    TestKey& operator=(const TestKey&) = delete;

    // Below HKEY_CURRENT_USER, without a leading backslash.
    const std::string& Path() const { return path_; }
    // As a registry row writes it: "HKEY_CURRENT_USER\Software\...".
    std::string Full(const std::string& sub = "") const { return "HKEY_CURRENT_USER\\" + Sub(sub); }

    void Create(const std::string& sub) const {
        HKEY key;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, Sub(sub).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr) == ERROR_SUCCESS)
            RegCloseKey(key);
    }
    void Set(const std::string& sub, const std::string& name, const std::string& value) const {
        RegSetKeyValueA(HKEY_CURRENT_USER, Sub(sub).c_str(), name.c_str(), REG_SZ, value.c_str(),
                        static_cast<DWORD>(value.size() + 1));
    }
    bool Exists(const std::string& sub) const { return RegistryKey().KeyExists(Sub(sub)); }
    bool Exists(const std::string& sub, const std::string& name) const {
        return RegGetValueA(HKEY_CURRENT_USER, Sub(sub).c_str(), name.c_str(), RRF_RT_ANY, nullptr, nullptr,
                            nullptr) == ERROR_SUCCESS;
    }

private:
    std::string Sub(const std::string& sub) const { return sub.empty() ? path_ : path_ + "\\" + sub; }
    std::string path_;
};

inline CheckListModel MakeList(const std::vector<std::pair<std::string, bool>>& rows) {
    CheckListModel list;
    for (const auto& [text, checked] : rows) list.Add(text, checked);
    return list;
}

// The host path of a Windows path (Wine only); empty elsewhere.
inline std::string HostPathOf(const std::string& path) {
    using ToHost = char*(CDECL*)(const WCHAR*);
    auto toHost = reinterpret_cast<ToHost>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    std::wstring wide(path.begin(), path.end());
    char* host = toHost ? toHost(wide.c_str()) : nullptr;
    if (!host) return {};
    std::string result = host;
    HeapFree(GetProcessHeap(), 0, host);
    return result;
}

// Makes linkPath a host symbolic link to the host path hostTarget; false when none was made.
inline bool MakeHostFileLink(const std::string& hostTarget, const std::string& linkPath) {
    auto slash = linkPath.rfind('\\');
    std::string folder = HostPathOf(linkPath.substr(0, slash));
    std::string command = "/bin/ln -s \"" + hostTarget + "\" \"" + folder + "/" + linkPath.substr(slash + 1) + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (folder.empty() ||
        !CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    // No exit code comes back: wait for the name (a device as target has no attributes).
    for (int i = 0; i < 500; ++i, Sleep(10)) {
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA(linkPath.c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) return FindClose(find);
    }
    return false;
}

// Points the program directory at a folder while it lives.
class ProgramDirScope {
public:
    explicit ProgramDirScope(const std::string& dir) : previous_(ProgramDir()) { SetProgramDir(dir); }
    ~ProgramDirScope() { SetProgramDir(previous_); }
    ProgramDirScope(const ProgramDirScope&) = delete;
    ProgramDirScope& operator=(const ProgramDirScope&) = delete;

private:
    std::string previous_;
};
