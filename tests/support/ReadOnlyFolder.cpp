#include "tests/support/ReadOnlyFolder.h"

#include <windows.h>

#include "platform/WideText.h"
#include "settings/AppPaths.h"
#include "tests/support/Program.h"
#include "tests/support/Wait.h"

namespace {
// The host path of a Windows path, through Wine's own export; empty off Wine.
std::string UnixPath(const std::string& path) {
    using UnixName = char*(__cdecl*)(const wchar_t*);
    auto convert = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!convert) return {};
    char* name = convert(Widen(path).c_str());
    if (!name) return {};
    std::string result(name);
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}
}  // namespace

ReadOnlyFolder::ReadOnlyFolder(const std::string& folder) : folder_(folder) {
    locked_ = SetImmutable(true);
}

ReadOnlyFolder::~ReadOnlyFolder() {
    if (locked_) SetImmutable(false);
}

bool ReadOnlyFolder::SetImmutable(bool on) {
    std::string folder = folder_;
    while (!folder.empty() && folder.back() == '\\') folder.pop_back();
    std::string unix = UnixPath(folder);
    if (unix.empty() || unix.find('\'') != std::string::npos) return false;
    // start.exe returns before a host program ends: the program leaves a mark beside the
    // folder when done, and nothing probes the folder while its attribute changes.
    const std::string done = folder + ".chattr-done";
    DeleteFileA(done.c_str());
    std::string command = std::string("start.exe /unix /bin/sh -c \"/usr/bin/chattr ") + (on ? "+i" : "-i") + " '" +
                          unix + "' && touch '" + unix + ".chattr-done'\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!StartWithRetry(command, [&] {
            return CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                                  &startup, &info) != FALSE;
        }))
        return false;
    WaitForSingleObject(info.hProcess, 10000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    WaitUntil([&] { return GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES; });
    bool finished = DeleteFileA(done.c_str()) != FALSE;
    return finished && FolderCanBeWritten(folder_) != on;
}
