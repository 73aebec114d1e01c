#pragma once
// A registry key of its own for one test, and the program directory pointed at a test folder.
#include <windows.h>

#include <string>

#include "platform/Registry.h"
#include "settings/AppPaths.h"

// HKEY_CURRENT_USER\Software\VarnoltTests\<name>_<process>_<n>, removed with its subkeys.
class TestKey {
public:
    explicit TestKey(const std::string& name) {
        static int counter = 0;
        path_ = "Software\\VarnoltTests\\" + name + "_" + std::to_string(GetCurrentProcessId()) + "_" +
                std::to_string(++counter);
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
