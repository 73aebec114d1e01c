#pragma once
// Helpers of the engine and special item tests: a registry test key, host file links, the
// program directory.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/CheckListModel.h"
#include "tests/support/SymLink.h"
#include "tests/support/TestKey.h"

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
    for (int i = 0; i < 500; ++i, Sleep(10)) {
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA(linkPath.c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) return FindClose(find);
    }
    return false;
}

