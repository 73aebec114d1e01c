#pragma once
// Helpers of the engine and special item tests: a registry test key, host file links, the
// program directory with the wash log.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "engine/WashEngine.h"
#include "platform/CheckListModel.h"
#include "tests/support/SymLink.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestKey.h"
#include "tests/support/Wait.h"

// A program folder of the test's own, where the wash log goes; a log left open is closed after.
class WashFolderTest : public testing::Test {
protected:
    void TearDown() override { AbandonWashLog(); }
    TempDir dir;
    ProgramDirScope scope{dir.Path()};
};

inline CheckListModel MakeList(const std::vector<std::pair<std::string, bool>>& rows) {
    CheckListModel list;
    for (const auto& [text, checked] : rows) list.Add(text, checked);
    return list;
}

// Makes linkPath a host symbolic link to the host path hostTarget; false when none was made.
inline bool MakeHostFileLink(const std::string& hostTarget, const std::string& linkPath) {
    std::string hostLink = HostLinkPath(linkPath);
    if (hostLink.empty() || !StartHost("/bin/ln -s \"" + hostTarget + "\" \"" + hostLink + "\"")) return false;
    // No exit code comes back: wait for the name (a device as target has no attributes).
    return WaitUntil([&] {
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA(linkPath.c_str(), &data);
        return find != INVALID_HANDLE_VALUE && FindClose(find);
    }, 5000);
}

