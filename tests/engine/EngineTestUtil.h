#pragma once
// Helpers of the engine tests: a registry test key, host file links, the program directory.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/CheckListModel.h"

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
