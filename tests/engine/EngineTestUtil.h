#pragma once
// Helpers of the engine and special item tests: a registry test key, host file links, the
// program directory.
#include <windows.h>

#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/CheckListModel.h"
#include "platform/Registry.h"
#include "settings/AppPaths.h"

// HKEY_CURRENT_USER\Software\VarnoltTests\<unique>, removed with its subkeys when it dies.
class TestKey {
public:
    explicit TestKey(const std::string& name);
    ~TestKey();
    TestKey(const TestKey&) = delete;
    TestKey& operator=(const TestKey&) = delete;

    // Path below HKEY_CURRENT_USER, without a leading backslash.
    const std::string& Path() const { return path_; }
    // The same path as a registry row writes it: "HKEY_CURRENT_USER\Software\...".
    std::string Full(const std::string& sub = "") const;

    void CreateSubkey(const std::string& sub) const;
    void SetString(const std::string& sub, const std::string& name, const std::string& value) const;
    void SetDword(const std::string& sub, const std::string& name, DWORD value) const;
    bool KeyExists(const std::string& sub) const;
    bool ValueExists(const std::string& sub, const std::string& name) const;

private:
    std::string Sub(const std::string& sub) const { return sub.empty() ? path_ : path_ + "\\" + sub; }
    std::string path_;
};

// A check list of the given rows and check marks.
CheckListModel MakeList(const std::vector<std::pair<std::string, bool>>& rows);

// Makes linkPath a host symbolic link to the host path hostTarget (Wine only); false when
// no link could be made.
bool MakeHostFileLink(const std::string& hostTarget, const std::string& linkPath);
// The host path of a Windows path; empty outside Wine.
std::string HostPathOf(const std::string& path);

// Points the program directory at a folder for the life of the object.
class ProgramDirScope {
public:
    explicit ProgramDirScope(const std::string& dir);
    ~ProgramDirScope();
    ProgramDirScope(const ProgramDirScope&) = delete;
    ProgramDirScope& operator=(const ProgramDirScope&) = delete;

private:
    std::string previous_;
};

// Creates a file of the given size filled with one byte value.
void WriteFilledFile(const std::string& path, size_t size, char fill);

// ---- Definitions.

inline int testKeyCounter = 0;

inline TestKey::TestKey(const std::string& name)
    : path_("Software\\VarnoltTests\\" + name + "_" + std::to_string(GetCurrentProcessId()) + "_" +
            std::to_string(++testKeyCounter)) {
    DeleteKeyTree(HKEY_CURRENT_USER, path_);
    CreateSubkey("");
}

inline TestKey::~TestKey() { DeleteKeyTree(HKEY_CURRENT_USER, path_); }

inline std::string TestKey::Full(const std::string& sub) const { return "HKEY_CURRENT_USER\\" + Sub(sub); }

inline void TestKey::CreateSubkey(const std::string& sub) const {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, Sub(sub).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) == ERROR_SUCCESS)
        RegCloseKey(key);
}

inline void TestKey::SetString(const std::string& sub, const std::string& name, const std::string& value) const {
    RegSetKeyValueA(HKEY_CURRENT_USER, Sub(sub).c_str(), name.c_str(), REG_SZ, value.c_str(),
                    static_cast<DWORD>(value.size() + 1));
}

inline void TestKey::SetDword(const std::string& sub, const std::string& name, DWORD value) const {
    RegSetKeyValueA(HKEY_CURRENT_USER, Sub(sub).c_str(), name.c_str(), REG_DWORD, &value, sizeof(value));
}

inline bool TestKey::KeyExists(const std::string& sub) const {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, Sub(sub).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

inline bool TestKey::ValueExists(const std::string& sub, const std::string& name) const {
    return RegGetValueA(HKEY_CURRENT_USER, Sub(sub).c_str(), name.c_str(), RRF_RT_ANY, nullptr, nullptr,
                        nullptr) == ERROR_SUCCESS;
}

inline CheckListModel MakeList(const std::vector<std::pair<std::string, bool>>& rows) {
    CheckListModel list;
    for (const auto& [text, checked] : rows) list.Add(text, checked);
    return list;
}

inline std::string HostPathOf(const std::string& path) {
    using ToHost = char*(CDECL*)(const WCHAR*);
    auto toHost = reinterpret_cast<ToHost>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!toHost) return {};
    std::wstring wide(path.size() + 1, L'\0');
    if (!MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), static_cast<int>(wide.size())))
        return {};
    char* host = toHost(wide.c_str());
    if (!host) return {};
    std::string result = host;
    HeapFree(GetProcessHeap(), 0, host);
    return result;
}

inline bool MakeHostFileLink(const std::string& hostTarget, const std::string& linkPath) {
    auto slash = linkPath.rfind('\\');
    std::string folder = HostPathOf(linkPath.substr(0, slash));
    if (folder.empty()) return false;
    std::string command = "/bin/ln -s \"" + hostTarget + "\" \"" + folder + "/" + linkPath.substr(slash + 1) + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    // The host program gives no exit code back: wait for the link to appear (a device as
    // target has no attributes, so look for the name).
    for (int i = 0; i < 500; ++i) {
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA(linkPath.c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            FindClose(find);
            return true;
        }
        Sleep(10);
    }
    return false;
}

inline ProgramDirScope::ProgramDirScope(const std::string& dir) : previous_(ProgramDir()) { SetProgramDir(dir); }

inline ProgramDirScope::~ProgramDirScope() { SetProgramDir(previous_); }

inline void WriteFilledFile(const std::string& path, size_t size, char fill) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    std::string block(size, fill);
    out.write(block.data(), static_cast<std::streamsize>(block.size()));
}
